// Makes a scenario the device's network: its backend answers the IP Helper queries
// and its registry values are the registry.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "net/sim/scenario.h"

namespace platform::net::sim {

// What the scenario asks of the device beyond the network. The device applies the
// zone and locale itself, since its own options override them.
struct ScenarioRequests {
    std::optional<std::string> timeZone;
    std::optional<std::string> locale;
    std::vector<std::string> warnings;  // worth telling the user; nothing stops.
};

ScenarioRequests InstallSimulation(Scenario scenario);

}  // namespace platform::net::sim
