#include "net/sim/simulation.h"

#include <memory>

#include "kernel/registry/memory_registry.h"
#include "kernel/text/utf8.h"
#include "net/sim/sim_backend.h"

namespace platform::net::sim {

ScenarioRequests InstallSimulation(Scenario scenario) {
    ScenarioRequests requests{scenario.timeZone, scenario.locale, {}};
    auto registry = std::make_shared<kernel::MemoryRegistry>();
    for (RegistryEntry& entry : scenario.registry) {
        if (!registry->SetValue(entry.root, entry.path, entry.name, std::move(entry.value))) {
            requests.warnings.push_back("the registry refused the key \"" +
                                        kernel::EncodeUtf8(entry.path).text + "\"");
        }
    }
    kernel::InstallRegistrySource(std::move(registry));
    InstallBackend(std::make_unique<SimBackend>(std::move(scenario)));
    return requests;
}

}  // namespace platform::net::sim
