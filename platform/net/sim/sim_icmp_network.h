// The hosts of a simulated network that answer echoes, and the routes to them. An
// echo never waits: the round-trip time is reported, not spent, and a time-out is
// reported at once, so that tests of whole pings and traces run in no time. The
// network remembers the echoes it was sent, for tests to read back.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "net/icmp_echo_channel.h"

namespace platform::net::sim {

struct SimHop {
    std::optional<Ipv4> address;  // none: a router that lets its reports drop.
    std::uint32_t rtt = 1;
};

struct SimEchoHost {
    Ipv4 address = 0;
    std::optional<std::uint32_t> rtt = 1;  // none: the host never answers.
    // The host answers only this many echoes that reach it, then falls silent.
    std::optional<std::uint64_t> answers;
    std::vector<SimHop> route;  // the routers before it, nearest first.
    // IP_DEST_*_UNREACHABLE: instead of the host, the last router that has an address
    // (or, without one, the host itself) reports the host unreachable.
    std::optional<std::uint32_t> unreachable;
};

// What one echo asked for, as the network received it.
struct SimSentEcho {
    Ipv4 destination = 0;
    std::size_t dataSize = 0;
    bool dataAllZero = true;
    std::optional<std::uint8_t> ttl;
    std::size_t replyRoom = 0;
    std::chrono::milliseconds timeout{0};
};

class SimEchoNetwork {
  public:
    // Tests read the most recent echoes; older ones are forgotten, so a long
    // demonstration does not grow without end.
    static constexpr std::size_t kRememberedEchoes = 256;

    explicit SimEchoNetwork(std::vector<SimEchoHost> hosts) : hosts_(std::move(hosts)) {}

    // An echo with time-to-live n no greater than the route's length is answered by
    // router n with IP_TTL_EXPIRED_TRANSIT; an unlisted destination never answers,
    // unless it is a loopback address, which answers at once.
    Query<EchoReply> Echo(const EchoRequest& request);

    std::vector<SimSentEcho> SentEchoes() const;
    std::uint64_t EchoCount() const;

  private:
    void Remember(const EchoRequest& request);
    Query<EchoReply> Route(const EchoRequest& request);

    mutable std::mutex mutex_;
    const std::vector<SimEchoHost> hosts_;
    std::map<Ipv4, std::uint64_t> reached_;  // echoes that got to each listed host.
    std::deque<SimSentEcho> sent_;
    std::uint64_t echoCount_ = 0;
};

// The channel behind one IcmpCreateFile handle; every handle shares the network, so
// that what a host has answered counts across handles, as the program opens one per
// echo.
class SimEchoChannel final : public EchoChannel {
  public:
    explicit SimEchoChannel(std::shared_ptr<SimEchoNetwork> network)
        : network_(std::move(network)) {}

    Query<EchoReply> Echo(const EchoRequest& request) override { return network_->Echo(request); }

  private:
    std::shared_ptr<SimEchoNetwork> network_;
};

}  // namespace platform::net::sim
