#include "SimulatedNetwork.h"

#include <gtest/gtest.h>

#include "net/sim/sim_backend.h"
#include "net/sim/simulation.h"

namespace diagnostics_test {

platform::net::sim::SimEchoHost EchoHost(Ipv4 address, std::uint32_t rtt,
                                         const std::vector<std::optional<Ipv4>>& routers,
                                         std::optional<std::uint64_t> answers) {
    platform::net::sim::SimEchoHost host;
    host.address = address;
    host.rtt = rtt;
    host.answers = answers;
    for (const std::optional<Ipv4>& router : routers) {
        host.route.push_back(platform::net::sim::SimHop{router, 1});
    }
    return host;
}

void InstallNetwork(platform::net::sim::Scenario scenario) {
    const auto requests = platform::net::sim::InstallSimulation(std::move(scenario));
    EXPECT_TRUE(requests.warnings.empty());
}

std::vector<platform::net::sim::SimSentEcho> SentEchoes() {
    auto* simulation = dynamic_cast<platform::net::sim::SimBackend*>(&platform::net::Backend());
    EXPECT_NE(simulation, nullptr) << "no simulated network is installed";
    return simulation == nullptr ? std::vector<platform::net::sim::SimSentEcho>{}
                                 : simulation->EchoNetwork().SentEchoes();
}

}  // namespace diagnostics_test
