#include "support/scenario_stager.h"

#include <gtest/gtest.h>

#include "kernel/registry/registry_source.h"
#include "kernel/time/device_settings.h"
#include "net/host/host_backend.h"
#include "net/sim/scenario_error.h"
#include "net/sim/scenario_reader.h"
#include "net/sim/sim_backend.h"
#include "net/sim/simulation.h"

namespace tessalink::test {

using platform::net::sim::ParseScenario;

void StageScenario(std::string_view json) {
    const auto requests = platform::net::sim::InstallSimulation(ParseScenario(json, "test.json"));
    EXPECT_TRUE(requests.warnings.empty());
    if (requests.timeZone) {
        EXPECT_TRUE(platform::kernel::DeviceSettings::SetTimeZone(*requests.timeZone));
    }
}

void ClearScenario() {
    platform::kernel::InstallRegistrySource(nullptr);
    platform::net::InstallBackend(platform::net::MakeHostBackend());
    platform::kernel::DeviceSettings::Reset();
}

std::string ScenarioRefusal(std::string_view json, const std::string& fileName) {
    try {
        ParseScenario(json, fileName);
    } catch (const platform::net::sim::ScenarioError& error) {
        return error.what();
    }
    return "accepted";
}

std::vector<platform::net::sim::SimSentEcho> SentEchoes() {
    auto* simulation = dynamic_cast<platform::net::sim::SimBackend*>(&platform::net::Backend());
    EXPECT_NE(simulation, nullptr) << "no simulated network is staged";
    return simulation == nullptr ? std::vector<platform::net::sim::SimSentEcho>{}
                                 : simulation->EchoNetwork().SentEchoes();
}

}  // namespace tessalink::test
