#include "net/icmp_reply_image.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include <icmpapi.h>

namespace platform::net {
namespace {

// An ICMP error is an 8-byte header in front of what it quotes.
constexpr std::size_t kIcmpErrorHeaderSize = 8;

}  // namespace

std::size_t MinimumReplyBufferSize(std::size_t requestSize) {
    return sizeof(ICMP_ECHO_REPLY) + requestSize + kIcmpErrorHeaderSize;
}

void WriteEchoReply(const EchoReply& reply, void* buffer, std::size_t bufferSize) {
    auto* record = static_cast<ICMP_ECHO_REPLY*>(buffer);
    auto* data = static_cast<std::uint8_t*>(buffer) + sizeof(ICMP_ECHO_REPLY);
    const std::size_t room = bufferSize - sizeof(ICMP_ECHO_REPLY);
    // DataSize is 16 bits wide; no request can be larger, so neither can its echo.
    const std::size_t kept = std::min({reply.data.size(), room, std::size_t{0xFFFF}});

    *record = ICMP_ECHO_REPLY{};
    record->Address = reply.from;
    record->Status = reply.status;
    record->RoundTripTime = reply.roundTripMs;
    record->DataSize = static_cast<USHORT>(kept);
    record->Data = data;
    record->Options.Ttl = reply.ttl;
    if (kept != 0) {
        std::memcpy(data, reply.data.data(), kept);
    }
}

void WriteEchoStatus(std::uint32_t status, void* buffer, std::size_t bufferSize) {
    if (bufferSize < sizeof(ICMP_ECHO_REPLY)) {
        return;
    }
    auto* record = static_cast<ICMP_ECHO_REPLY*>(buffer);
    *record = ICMP_ECHO_REPLY{};
    record->Status = status;
}

}  // namespace platform::net
