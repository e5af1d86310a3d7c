// The scenario's DHCP servers: how each adapter's server answers a renew.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "net/sim/scenario_node.h"
#include "net/sim/sim_dhcp_server.h"

namespace platform::net::sim {

// `adapters` holds the interface indices the scenario defines; a server must serve
// one of them, and an adapter has at most one server.
std::vector<SimDhcpServer> ReadDhcpServers(const ScenarioNode& node,
                                           const std::set<std::uint32_t>& adapters);

}  // namespace platform::net::sim
