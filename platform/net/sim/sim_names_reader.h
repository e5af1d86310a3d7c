// Reads a scenario's "names" (a name and its addresses) and "reverseNames" (an
// address and its name).
#pragma once

#include "net/sim/scenario_node.h"
#include "net/sim/sim_names.h"

namespace platform::net::sim {

void ReadForwardNames(const ScenarioNode& node, SimNames& names);
void ReadReverseNames(const ScenarioNode& node, SimNames& names);

}  // namespace platform::net::sim
