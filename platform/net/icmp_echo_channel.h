// One ICMP echo exchange as a backend carries it out: what the caller asks for and
// what came back. A channel stands behind each IcmpCreateFile handle.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "net/network_backend.h"

namespace platform::net {

struct EchoRequest {
    Ipv4 destination = 0;
    std::span<const std::uint8_t> data;
    std::optional<std::uint8_t> ttl;  // none: the system's default.
    std::uint8_t tos = 0;
    bool dontFragment = false;
    std::chrono::milliseconds timeout{0};
    // The caller's reply buffer in bytes: nothing a network needs, but what a simulated
    // one records for tests that check how the program sized it.
    std::size_t replyRoom = 0;
};

struct EchoReply {
    Ipv4 from = 0;             // who answered: the destination, or a router on the way.
    std::uint32_t status = 0;  // IP_SUCCESS, IP_TTL_EXPIRED_TRANSIT, IP_DEST_*_UNREACHABLE...
    std::uint32_t roundTripMs = 0;
    std::uint8_t ttl = 0;  // the reply's own time-to-live, 0 when unknown.
    // The echoed data; for a router's report, the request's data it refers to.
    std::vector<std::uint8_t> data;
};

class EchoChannel {
  public:
    virtual ~EchoChannel() = default;
    // Sends one request and waits for its answer. Fails with IP_REQ_TIMED_OUT when
    // nothing answered in time, or with another IP_* status or Win32 error code when
    // the request could not go out.
    virtual Query<EchoReply> Echo(const EchoRequest& request) = 0;
};

}  // namespace platform::net
