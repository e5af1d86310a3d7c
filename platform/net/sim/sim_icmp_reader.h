// Reads the "hosts" of a scenario: who answers echoes, how fast, and by which route.
#pragma once

#include <vector>

#include "net/sim/scenario_node.h"
#include "net/sim/sim_icmp_network.h"

namespace platform::net::sim {

std::vector<SimEchoHost> ReadEchoHosts(const ScenarioNode& node);

}  // namespace platform::net::sim
