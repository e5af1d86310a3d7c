#include "net/sim/simulation.h"

#include <memory>

#include "kernel/device_settings.h"
#include "kernel/memory_registry.h"
#include "kernel/utf8.h"
#include "net/sim/sim_backend.h"

namespace platform::net::sim {

std::vector<std::string> InstallSimulation(Scenario scenario) {
    std::vector<std::string> warnings;
    auto registry = std::make_shared<kernel::MemoryRegistry>();
    for (RegistryEntry& entry : scenario.registry) {
        if (!registry->SetValue(entry.root, entry.path, entry.name, std::move(entry.value))) {
            warnings.push_back("the registry refused the key \"" +
                               kernel::EncodeUtf8(entry.path).text + "\"");
        }
    }
    kernel::InstallRegistrySource(std::move(registry));

    if (scenario.timeZone && !kernel::DeviceSettings::SetTimeZone(*scenario.timeZone)) {
        warnings.push_back("time zone \"" + *scenario.timeZone + "\" names no zone");
    }
    if (scenario.locale && !kernel::DeviceSettings::SetLocale(*scenario.locale)) {
        warnings.push_back("locale \"" + *scenario.locale +
                           "\" is not installed on this machine; dates are formatted as in "
                           "the \"C\" locale");
    }
    InstallBackend(std::make_unique<SimBackend>(std::move(scenario)));
    return warnings;
}

}  // namespace platform::net::sim
