// Reads a scenario file (the format is described in docs/network-scenarios.md).
#pragma once

#include <string>
#include <string_view>

#include "net/sim/scenario.h"

namespace platform::net::sim {

// Both throw a ScenarioError that names the file, the place and what was expected.
Scenario LoadScenario(const std::string& fileName);
Scenario ParseScenario(std::string_view text, const std::string& fileName);

}  // namespace platform::net::sim
