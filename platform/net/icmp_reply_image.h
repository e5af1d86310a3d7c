// Lays an echo's answer out in the caller's reply buffer as IcmpSendEcho returns
// it: one ICMP_ECHO_REPLY record, its data right behind it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "net/icmp_echo_channel.h"

namespace platform::net {

// The smallest buffer IcmpSendEcho takes for a request of this many bytes: a record,
// the echoed data and the 8 bytes of an ICMP error header, as on Windows.
std::size_t MinimumReplyBufferSize(std::size_t requestSize);

// The buffer must hold at least MinimumReplyBufferSize of the request. Data beyond
// what the buffer holds is cut, and DataSize says how much was kept.
void WriteEchoReply(const EchoReply& reply, void* buffer, std::size_t bufferSize);

// A record with no answer, only a status: what a failed echo leaves in the buffer.
void WriteEchoStatus(std::uint32_t status, void* buffer, std::size_t bufferSize);

}  // namespace platform::net
