#include "device/device_setup.h"

#include "kernel/registry/registry_source.h"
#include "kernel/time/device_settings.h"
#include "net/host/host_backend.h"
#include "net/network_backend.h"
#include "net/sim/scenario_error.h"
#include "net/sim/scenario_reader.h"
#include "net/sim/simulation.h"

namespace platform::device {
namespace {

// The zone and locale the network's side asks for (a scenario's); nothing for the host.
std::optional<net::sim::ScenarioRequests> SetUpNetwork(const std::string& choice,
                                                       std::ostream& errors) {
    if (choice == "host") {
        net::InstallBackend(net::MakeHostBackend());
        kernel::InstallRegistrySource(net::MakeHostRegistrySource());
        return net::sim::ScenarioRequests{};
    }
    try {
        return net::sim::InstallSimulation(net::sim::LoadScenario(choice));
    } catch (const net::sim::ScenarioError& error) {
        errors << "tessalink: " << error.what() << "\n";
        return std::nullopt;
    }
}

}  // namespace

bool SetUpDevice(const DeviceOptions& options, std::ostream& errors) {
    auto requests = SetUpNetwork(options.network, errors);
    if (!requests) {
        return false;
    }
    for (const std::string& warning : requests->warnings) {
        errors << "tessalink: warning: " << warning << "\n";
    }
    // Both the options and the scenario reader have checked that the zone exists.
    const auto zone = options.timeZone ? options.timeZone : requests->timeZone;
    if (zone) {
        kernel::DeviceSettings::SetTimeZone(*zone);
    }
    if (options.clock) {
        kernel::DeviceSettings::SetClock(*options.clock);
    }
    const auto locale = options.locale ? options.locale : requests->locale;
    if (locale && !kernel::DeviceSettings::SetLocale(*locale)) {
        errors << "tessalink: warning: locale \"" << *locale
               << "\" is not installed on this machine; dates are formatted as in the \"C\" "
                  "locale\n";
    }
    return true;
}

}  // namespace platform::device
