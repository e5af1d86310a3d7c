#include "net/sim/sim_icmp_reader.h"

#include <windows.h>

#include <set>

#include <icmpapi.h>

#include "net/ipv4_text.h"

namespace platform::net::sim {
namespace {

// null: a silent router; "10.0.0.1"; or {"address": "10.0.0.1", "rtt": 3}.
SimHop ReadHop(const ScenarioNode& node) {
    SimHop hop;
    if (node.Json().is_null()) {
        return hop;
    }
    if (node.IsString()) {
        hop.address = node.Address();
        return hop;
    }
    if (!node.IsObject()) {
        node.Fail("null (a silent router), an address, or {\"address\": ..., \"rtt\": ...}");
    }
    node.AllowKeys({"address", "rtt"});
    hop.address = node.Required("address").Address();
    node.ReadOptional("rtt", hop.rtt, &ScenarioNode::Uint32);
    return hop;
}

SimEchoHost ReadEchoHost(const ScenarioNode& node) {
    node.AllowKeys({"address", "rtt", "silent", "answers", "route", "unreachable"});
    SimEchoHost host;
    host.address = node.Required("address").Address();
    if (const auto rtt = node.Optional("rtt")) {
        host.rtt = rtt->Uint32();
    }
    if (const auto silent = node.Optional("silent"); silent && silent->Bool()) {
        host.rtt.reset();
    }
    if (const auto answers = node.Optional("answers")) {
        host.answers = answers->Uint64();
    }
    if (const auto route = node.Optional("route")) {
        for (const ScenarioNode& hop : route->Elements()) {
            host.route.push_back(ReadHop(hop));
        }
    }
    if (const auto unreachable = node.Optional("unreachable")) {
        host.unreachable = unreachable->NamedNumber({{"net", IP_DEST_NET_UNREACHABLE},
                                                     {"host", IP_DEST_HOST_UNREACHABLE},
                                                     {"protocol", IP_DEST_PROT_UNREACHABLE},
                                                     {"port", IP_DEST_PORT_UNREACHABLE}});
    }
    return host;
}

}  // namespace

std::vector<SimEchoHost> ReadEchoHosts(const ScenarioNode& node) {
    std::vector<SimEchoHost> hosts;
    std::set<Ipv4> seen;
    for (const ScenarioNode& element : node.Elements()) {
        hosts.push_back(ReadEchoHost(element));
        // Two entries for one address would leave the answer to the file's order.
        if (!seen.insert(hosts.back().address).second) {
            element.Required("address").Complain(
                "host " + std::string(FormatIpv4(hosts.back().address).data()) +
                " is already listed");
        }
    }
    return hosts;
}

}  // namespace platform::net::sim
