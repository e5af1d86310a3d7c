#include "net/sim/sim_dhcp_reader.h"

#include <string>

namespace platform::net::sim {
namespace {

SimDhcpAnswer ReadAnswer(const ScenarioNode& node) {
    const std::string answer = node.String();
    if (answer == "atOnce") {
        return SimDhcpAnswer::AtOnce;
    }
    if (answer == "late") {
        return SimDhcpAnswer::Late;
    }
    if (answer != "never") {
        node.Fail("one of \"atOnce\", \"late\", \"never\"");
    }
    return SimDhcpAnswer::Never;
}

SimDhcpServer ReadDhcpServer(const ScenarioNode& node) {
    node.AllowKeys({"adapter", "answer", "delay", "server", "offer", "leaseTime"});
    SimDhcpServer server;
    server.adapter = node.Required("adapter").Uint32();
    if (const auto answer = node.Optional("answer")) {
        server.answer = ReadAnswer(*answer);
    }
    const auto delay = node.Optional("delay");
    if (server.answer == SimDhcpAnswer::Late) {
        server.delay = std::chrono::milliseconds(node.Required("delay").Uint32());
    } else if (delay) {
        // A delay on a server that is not late would be silently meaningless.
        delay->Complain("\"delay\" belongs to a server whose answer is \"late\"");
    }
    if (const auto address = node.Optional("server")) {
        server.server = address->Address();
    }
    if (const auto offer = node.Optional("offer")) {
        offer->AllowKeys({"address", "mask"});
        server.offer = AddressWithMask{offer->Required("address").Address(),
                                       offer->Required("mask").Address()};
    }
    if (const auto lease = node.Optional("leaseTime")) {
        server.leaseSeconds = lease->Uint32();
        if (*server.leaseSeconds == 0) {
            lease->Fail("a lease time in seconds, at least 1");
        }
    }
    return server;
}

}  // namespace

std::vector<SimDhcpServer> ReadDhcpServers(const ScenarioNode& node,
                                           const std::set<std::uint32_t>& adapters) {
    std::vector<SimDhcpServer> servers;
    std::set<std::uint32_t> served;
    for (const ScenarioNode& element : node.Elements()) {
        SimDhcpServer server = ReadDhcpServer(element);
        const ScenarioNode adapter = element.Required("adapter");
        if (!adapters.contains(server.adapter)) {
            adapter.Complain("no adapter has interface index " + std::to_string(server.adapter));
        }
        if (!served.insert(server.adapter).second) {
            adapter.Complain("the adapter with interface index " + std::to_string(server.adapter) +
                             " already has a DHCP server");
        }
        servers.push_back(std::move(server));
    }
    return servers;
}

}  // namespace platform::net::sim
