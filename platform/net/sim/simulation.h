// Makes a scenario the device's world: its backend answers the IP Helper queries, its
// registry values are the registry, and its zone and locale are the device's.
#pragma once

#include <string>
#include <vector>

#include "net/sim/scenario.h"

namespace platform::net::sim {

// Returns what the user should hear about but that does not stop the device, such as
// a locale this machine does not have.
std::vector<std::string> InstallSimulation(Scenario scenario);

}  // namespace platform::net::sim
