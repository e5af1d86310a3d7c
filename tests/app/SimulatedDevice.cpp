#include "SimulatedDevice.h"

#include <gtest/gtest.h>

#include "kernel/time/device_settings.h"
#include "net/sim/simulation.h"

namespace app_test {

using platform::net::sim::RegistryEntry;
using platform::net::sim::Scenario;
using platform::net::sim::SimAdapter;

SimAdapter Adapter(std::uint32_t index, const std::string& name, const std::string& description) {
    SimAdapter sim;
    sim.adapter.index = index;
    sim.adapter.name = name;
    sim.adapter.description = description;
    return sim;
}

platform::net::NeighbourRow Neighbour(std::uint32_t interfaceIndex, std::uint32_t address,
                                      std::uint32_t type,
                                      std::initializer_list<std::uint8_t> hardwareAddress) {
    platform::net::NeighbourRow row;
    row.interfaceIndex = interfaceIndex;
    row.address = address;
    row.type = type;
    row.hardwareAddress = hardwareAddress;
    return row;
}

RegistryEntry DisplayNameString(const std::u16string& adapter, const std::u16string& name) {
    RegistryEntry entry = DisplayNameOfType(adapter, 1 /* REG_SZ */);
    for (char16_t unit : name) {
        entry.value.data.push_back(static_cast<std::uint8_t>(unit & 0xff));
        entry.value.data.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    entry.value.data.push_back(0);
    entry.value.data.push_back(0);
    return entry;
}

RegistryEntry DisplayNameOfType(const std::u16string& adapter, std::uint32_t type) {
    RegistryEntry entry;
    entry.path = u"Comm\\" + adapter;
    entry.name = u"DisplayName";
    entry.value.type = type;
    if (type != 1) {
        entry.value.data = {1, 0, 0, 0};
    }
    return entry;
}

void Install(Scenario scenario) {
    const auto requests = platform::net::sim::InstallSimulation(std::move(scenario));
    EXPECT_TRUE(requests.warnings.empty());
    if (requests.timeZone) {
        EXPECT_TRUE(platform::kernel::DeviceSettings::SetTimeZone(*requests.timeZone));
    }
}

void Uninstall() {
    platform::net::sim::InstallSimulation(Scenario{});
    platform::kernel::DeviceSettings::Reset();
}

}  // namespace app_test
