// Makes a scenario, written as JSON in the test, the device's network and registry,
// as --network=FILE does.
#pragma once

#include <string_view>

#include "net/sim/scenario_reader.h"
#include "net/sim/simulation.h"

namespace net_test {

inline void UseScenario(std::string_view json) {
    platform::net::sim::InstallSimulation(platform::net::sim::ParseScenario(json, "test.json"));
}

}  // namespace net_test
