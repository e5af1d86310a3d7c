// The records a scenario lists, both at their place and as rows that a table gains
// later: adapters and ARP rows.
#pragma once

#include "net/network_backend.h"
#include "net/sim/scenario.h"
#include "net/sim/scenario_node.h"

namespace platform::net::sim {

// An adapter; its display name, when given, becomes the registry value that the
// program reads for it (HKEY_LOCAL_MACHINE\Comm\<name>\DisplayName).
SimAdapter ReadAdapter(const ScenarioNode& node, std::vector<RegistryEntry>& registry);
NeighbourRow ReadNeighbour(const ScenarioNode& node);

}  // namespace platform::net::sim
