// ICMP messages as bytes: the echo request a channel sends, and what it reads back,
// with or without the IPv4 header in front (raw and datagram sockets differ there).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform::net::host {

inline constexpr std::size_t kIcmpHeaderSize = 8;

// Type 8 with identifier, sequence and data; the checksum is filled in, which a
// datagram socket's kernel would redo anyway.
std::vector<std::uint8_t> EchoRequestPacket(std::uint16_t identifier, std::uint16_t sequence,
                                            std::span<const std::uint8_t> data);

// The Internet checksum of RFC 1071.
std::uint16_t InternetChecksum(std::span<const std::uint8_t> bytes);

// What an incoming message says about one of our requests.
struct IcmpAnswer {
    std::uint8_t type = 0;  // 0 an echo reply; 3, 4, 11, 12 a report about the request.
    std::uint8_t code = 0;
    std::uint8_t ttl = 0;                  // the IPv4 header's, when the message had one.
    std::vector<std::uint8_t> echoedData;  // an echo reply's data; empty for a report.
};

// An ICMP message without the IPv4 header, as a datagram socket receives it: an echo
// reply to (identifier, sequence), or nothing. The kernel has already matched the
// identifier to the socket, so only the sequence is checked.
std::optional<IcmpAnswer> ParseDatagramReply(std::span<const std::uint8_t> message,
                                             std::uint16_t sequence);

// An IPv4 packet as a raw socket receives it: an echo reply to (identifier, sequence),
// or an error report quoting that request; nothing for anything else (the socket sees
// every ICMP message of the host).
std::optional<IcmpAnswer> ParseRawPacket(std::span<const std::uint8_t> packet,
                                         std::uint16_t identifier, std::uint16_t sequence);

// The sequence number of our own request, as the error queue of a datagram socket
// hands it back; nothing when the bytes are too short for an echo request.
std::optional<std::uint16_t> QuotedSequence(std::span<const std::uint8_t> request);

// The IP_* status an ICMP type and code stand for.
std::uint32_t StatusOfIcmp(std::uint8_t type, std::uint8_t code);

}  // namespace platform::net::host
