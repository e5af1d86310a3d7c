#include "router_chain.h"

using tessalink::testing::NetworkNamespace;

namespace {

// Link n joins spot n and spot n + 1 on 10.91.n.0/24: spot n's end is .1, spot
// n + 1's end is .2. Spot 0 is the source and the last spot the destination.
std::string LinkAddress(int link, int end) {
    return "10.91." + std::to_string(link) + "." + std::to_string(end);
}

// Forwarding on, and no limit on how often a router may say that a packet's time ran
// out: the benchmark asks every router again and again.
bool MakeRouter(const NetworkNamespace& spot) {
    return spot.WriteSysctl("net/ipv4/ip_forward", "1") &&
           spot.WriteSysctl("net/ipv4/icmp_ratelimit", "0");
}

}  // namespace

RouterChain::RouterChain() {
    for (int i = 0; i < kRouters + 2; ++i) {
        spots_.push_back(std::make_unique<NetworkNamespace>());
    }
    built_ = Build();
}

std::string RouterChain::HopAddress(int hop) {
    return LinkAddress(hop - 1, 2);
}

std::string RouterChain::DestinationAddress() {
    return HopAddress(kRouters + 1);
}

bool RouterChain::Build() {
    for (const auto& spot : spots_) {
        if (!spot->IsCreated() || !spot->IpCommand("link set lo up")) {
            return false;
        }
    }
    const int links = kRouters + 1;
    for (int link = 0; link < links; ++link) {
        const NetworkNamespace& right = *spots_[link + 1];
        const std::string leftEnd = "l" + std::to_string(link);
        const std::string rightEnd = "r" + std::to_string(link);
        // Each spot sends onwards to its right neighbour.
        if (!spots_[link]->IpCommands({"link add " + leftEnd + " type veth peer name " + rightEnd +
                                           " netns " + right.Name(),
                                       "addr add " + LinkAddress(link, 1) + "/24 dev " + leftEnd,
                                       "link set " + leftEnd + " up",
                                       "route add default via " + LinkAddress(link, 2)}) ||
            !right.IpCommands({"addr add " + LinkAddress(link, 2) + "/24 dev " + rightEnd,
                               "link set " + rightEnd + " up"})) {
            return false;
        }
    }
    // Each router sends what is for the source's link back to its left neighbour.
    for (int router = 1; router <= kRouters; ++router) {
        if ((router > 1 && !spots_[router]->IpCommand("route add 10.91.0.0/24 via " +
                                                      LinkAddress(router - 1, 1))) ||
            !MakeRouter(*spots_[router])) {
            return false;
        }
    }
    return spots_.back()
        ->IpCommand("route add default via " + LinkAddress(kRouters, 1))
        .has_value();
}
