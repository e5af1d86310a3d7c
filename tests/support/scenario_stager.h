// Makes a scenario, written as JSON in the test, the device's network and registry,
// as --network=FILE does; and reads back what a faulty one is told.
#pragma once

#include <string>
#include <string_view>

#include "net/sim/scenario_error.h"
#include "net/sim/scenario_reader.h"
#include "net/sim/simulation.h"

namespace net_test {

inline void UseScenario(std::string_view json) {
    platform::net::sim::InstallSimulation(platform::net::sim::ParseScenario(json, "test.json"));
}

// What reading `json` as the file `fileName` says is wrong with it; "accepted" when
// nothing is.
inline std::string ScenarioRefusal(std::string_view json,
                                   const std::string& fileName = "net.json") {
    try {
        platform::net::sim::ParseScenario(json, fileName);
    } catch (const platform::net::sim::ScenarioError& error) {
        return error.what();
    }
    return "accepted";
}

}  // namespace net_test
