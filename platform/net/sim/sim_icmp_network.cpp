#include "net/sim/sim_icmp_network.h"

#include <windows.h>

#include <algorithm>

#include <icmpapi.h>

namespace platform::net::sim {
namespace {

// What the device sends with when the caller does not say, and what a host's reply
// starts with before each router on the way takes one off.
constexpr std::uint8_t kDefaultTtl = 128;
constexpr std::uint8_t kReplyStartTtl = 64;
// An IPv4 packet holds 65535 bytes, 28 of them the IP and ICMP headers.
constexpr std::size_t kLargestData = 65535 - 28;

// The time-to-live a reply arrives with from a sender this many routers away.
std::uint8_t ReplyTtl(std::size_t routersBetween) {
    return static_cast<std::uint8_t>(kReplyStartTtl - std::min<std::size_t>(routersBetween, 63));
}

bool IsLoopback(Ipv4 address) {
    // Network byte order: the first octet is the lowest byte in memory.
    return (address & 0xFF) == 127;
}

Query<EchoReply> Answer(const EchoRequest& request, Ipv4 from, std::uint32_t status,
                        std::uint32_t rtt, std::uint8_t ttl) {
    if (std::chrono::milliseconds(rtt) > request.timeout) {
        return Query<EchoReply>::Failure(IP_REQ_TIMED_OUT);
    }
    EchoReply reply;
    reply.from = from;
    reply.status = status;
    reply.roundTripMs = rtt;
    reply.ttl = ttl;
    reply.data.assign(request.data.begin(), request.data.end());
    return reply;
}

}  // namespace

Query<EchoReply> SimEchoNetwork::Echo(const EchoRequest& request) {
    std::lock_guard lock(mutex_);
    Remember(request);
    return Route(request);
}

std::vector<SimSentEcho> SimEchoNetwork::SentEchoes() const {
    std::lock_guard lock(mutex_);
    return {sent_.begin(), sent_.end()};
}

std::uint64_t SimEchoNetwork::EchoCount() const {
    std::lock_guard lock(mutex_);
    return echoCount_;
}

void SimEchoNetwork::Remember(const EchoRequest& request) {
    ++echoCount_;
    if (sent_.size() == kRememberedEchoes) {
        sent_.pop_front();
    }
    sent_.push_back(SimSentEcho{
        .destination = request.destination,
        .dataSize = request.data.size(),
        .dataAllZero = std::all_of(request.data.begin(), request.data.end(),
                                   [](std::uint8_t byte) { return byte == 0; }),
        .ttl = request.ttl,
        .replyRoom = request.replyRoom,
        .timeout = request.timeout,
    });
}

Query<EchoReply> SimEchoNetwork::Route(const EchoRequest& request) {
    if (request.data.size() > kLargestData) {
        return Query<EchoReply>::Failure(IP_PACKET_TOO_BIG);
    }
    const auto host = std::find_if(hosts_.begin(), hosts_.end(), [&](const SimEchoHost& listed) {
        return listed.address == request.destination;
    });
    if (host == hosts_.end()) {
        if (IsLoopback(request.destination)) {
            return Answer(request, request.destination, IP_SUCCESS, 0, kReplyStartTtl);
        }
        return Query<EchoReply>::Failure(IP_REQ_TIMED_OUT);
    }

    const std::size_t ttl = request.ttl.value_or(kDefaultTtl);
    if (ttl == 0) {
        return Query<EchoReply>::Failure(ERROR_INVALID_PARAMETER);
    }
    const auto& route = host->route;
    if (ttl <= route.size()) {
        const SimHop& hop = route[ttl - 1];
        if (!hop.address) {
            return Query<EchoReply>::Failure(IP_REQ_TIMED_OUT);
        }
        return Answer(request, *hop.address, IP_TTL_EXPIRED_TRANSIT, hop.rtt, ReplyTtl(ttl - 1));
    }
    if (host->unreachable) {
        for (std::size_t n = route.size(); n > 0; --n) {
            if (route[n - 1].address) {
                return Answer(request, *route[n - 1].address, *host->unreachable, route[n - 1].rtt,
                              ReplyTtl(n - 1));
            }
        }
        return Answer(request, host->address, *host->unreachable, host->rtt.value_or(1),
                      ReplyTtl(route.size()));
    }
    const std::uint64_t reached = ++reached_[host->address];
    if (!host->rtt || (host->answers && reached > *host->answers)) {
        return Query<EchoReply>::Failure(IP_REQ_TIMED_OUT);
    }
    return Answer(request, host->address, IP_SUCCESS, *host->rtt, ReplyTtl(route.size()));
}

}  // namespace platform::net::sim
