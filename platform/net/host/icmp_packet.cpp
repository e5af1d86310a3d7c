#include "net/host/icmp_packet.h"

#include <windows.h>

#include <icmpapi.h>

namespace platform::net::host {
namespace {

constexpr std::uint8_t kEchoReply = 0;
constexpr std::uint8_t kDestinationUnreachable = 3;
constexpr std::uint8_t kSourceQuench = 4;
constexpr std::uint8_t kEchoRequest = 8;
constexpr std::uint8_t kTimeExceeded = 11;
constexpr std::uint8_t kParameterProblem = 12;
constexpr std::uint8_t kProtocolIcmp = 1;
constexpr std::size_t kMinimumIpv4HeaderSize = 20;

std::uint16_t Read16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

bool IsEchoRequest(std::span<const std::uint8_t> icmp, std::uint16_t identifier,
                   std::uint16_t sequence) {
    return icmp.size() >= kIcmpHeaderSize && icmp[0] == kEchoRequest &&
           Read16(icmp, 4) == identifier && Read16(icmp, 6) == sequence;
}

// The IPv4 header's length, or nothing when the bytes cannot hold one.
std::optional<std::size_t> Ipv4HeaderSize(std::span<const std::uint8_t> packet) {
    if (packet.size() < kMinimumIpv4HeaderSize || (packet[0] >> 4) != 4) {
        return std::nullopt;
    }
    const std::size_t size = static_cast<std::size_t>(packet[0] & 0x0F) * 4;
    if (size < kMinimumIpv4HeaderSize || size > packet.size()) {
        return std::nullopt;
    }
    return size;
}

bool IsReport(std::uint8_t type) {
    return type == kDestinationUnreachable || type == kSourceQuench || type == kTimeExceeded ||
           type == kParameterProblem;
}

}  // namespace

std::vector<std::uint8_t> EchoRequestPacket(std::uint16_t identifier, std::uint16_t sequence,
                                            std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> packet(kIcmpHeaderSize + data.size());
    packet[0] = kEchoRequest;
    packet[4] = static_cast<std::uint8_t>(identifier >> 8);
    packet[5] = static_cast<std::uint8_t>(identifier);
    packet[6] = static_cast<std::uint8_t>(sequence >> 8);
    packet[7] = static_cast<std::uint8_t>(sequence);
    std::copy(data.begin(), data.end(), packet.begin() + kIcmpHeaderSize);
    const std::uint16_t checksum = InternetChecksum(packet);
    packet[2] = static_cast<std::uint8_t>(checksum >> 8);
    packet[3] = static_cast<std::uint8_t>(checksum);
    return packet;
}

std::uint16_t InternetChecksum(std::span<const std::uint8_t> bytes) {
    std::uint32_t sum = 0;
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        sum += Read16(bytes, i);
    }
    if (i < bytes.size()) {
        sum += static_cast<std::uint32_t>(bytes[i]) << 8;
    }
    while (sum >> 16 != 0) {
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    return static_cast<std::uint16_t>(~sum);
}

std::optional<IcmpAnswer> ParseDatagramReply(std::span<const std::uint8_t> message,
                                             std::uint16_t sequence) {
    if (message.size() < kIcmpHeaderSize || message[0] != kEchoReply ||
        Read16(message, 6) != sequence) {
        return std::nullopt;
    }
    IcmpAnswer answer;
    answer.echoedData.assign(message.begin() + kIcmpHeaderSize, message.end());
    return answer;
}

std::optional<IcmpAnswer> ParseRawPacket(std::span<const std::uint8_t> packet,
                                         std::uint16_t identifier, std::uint16_t sequence) {
    const auto headerSize = Ipv4HeaderSize(packet);
    if (!headerSize || packet[9] != kProtocolIcmp) {
        return std::nullopt;
    }
    const auto icmp = packet.subspan(*headerSize);
    if (icmp.size() < kIcmpHeaderSize) {
        return std::nullopt;
    }
    IcmpAnswer answer;
    answer.type = icmp[0];
    answer.code = icmp[1];
    answer.ttl = packet[8];
    if (answer.type == kEchoReply) {
        if (Read16(icmp, 4) != identifier || Read16(icmp, 6) != sequence) {
            return std::nullopt;
        }
        answer.echoedData.assign(icmp.begin() + kIcmpHeaderSize, icmp.end());
        return answer;
    }
    if (!IsReport(answer.type)) {
        return std::nullopt;
    }
    // A report quotes the request's IPv4 header and at least its first 8 bytes.
    const auto quoted = icmp.subspan(kIcmpHeaderSize);
    const auto quotedHeaderSize = Ipv4HeaderSize(quoted);
    if (!quotedHeaderSize || quoted[9] != kProtocolIcmp ||
        !IsEchoRequest(quoted.subspan(*quotedHeaderSize), identifier, sequence)) {
        return std::nullopt;
    }
    return answer;
}

std::optional<std::uint16_t> QuotedSequence(std::span<const std::uint8_t> request) {
    if (request.size() < kIcmpHeaderSize || request[0] != kEchoRequest) {
        return std::nullopt;
    }
    return Read16(request, 6);
}

std::uint32_t StatusOfIcmp(std::uint8_t type, std::uint8_t code) {
    switch (type) {
        case kEchoReply:
            return IP_SUCCESS;
        case kTimeExceeded:
            return code == 0 ? IP_TTL_EXPIRED_TRANSIT : IP_TTL_EXPIRED_REASSEM;
        case kSourceQuench:
            return IP_SOURCE_QUENCH;
        case kParameterProblem:
            return IP_PARAM_PROBLEM;
        case kDestinationUnreachable:
            switch (code) {
                case 0:   // network
                case 6:   // network unknown
                case 9:   // network prohibited
                case 11:  // network for this type of service
                    return IP_DEST_NET_UNREACHABLE;
                case 2:
                    return IP_DEST_PROT_UNREACHABLE;
                case 3:
                    return IP_DEST_PORT_UNREACHABLE;
                case 4:  // fragmentation needed with "don't fragment" set
                    return IP_PACKET_TOO_BIG;
                case 5:
                    return IP_BAD_ROUTE;
                default:  // the host itself, unknown, isolated or prohibited
                    return IP_DEST_HOST_UNREACHABLE;
            }
        default:
            return IP_GENERAL_FAILURE;
    }
}

}  // namespace platform::net::host
