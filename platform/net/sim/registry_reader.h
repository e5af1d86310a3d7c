// The registry section of a scenario file: keys by their full names, each with its
// values. A string is a REG_SZ, a number a REG_DWORD; other types are written as
// {"type": "REG_BINARY", "data": "0a0b"}.
#pragma once

#include <vector>

#include "net/sim/scenario.h"
#include "net/sim/scenario_node.h"

namespace platform::net::sim {

std::vector<RegistryEntry> ReadRegistry(const ScenarioNode& node);

}  // namespace platform::net::sim
