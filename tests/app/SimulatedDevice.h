// Stages a simulated handheld for the app's tests: builds scenarios in code and makes
// them the device's network, registry and zone.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "net/sim/scenario.h"

namespace app_test {

// An IPv4 address in network byte order, as the IP Helper records hold it.
constexpr std::uint32_t Ipv4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    return static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b) << 8 |
           static_cast<std::uint32_t>(c) << 16 | static_cast<std::uint32_t>(d) << 24;
}

// A record's text field, for comparing.
inline std::u16string Text(const char16_t* text) {
    return text;
}

platform::net::sim::SimAdapter Adapter(std::uint32_t index, const std::string& name,
                                       const std::string& description);

platform::net::NeighbourRow Neighbour(std::uint32_t interfaceIndex, std::uint32_t address,
                                      std::uint32_t type,
                                      std::initializer_list<std::uint8_t> hardwareAddress);

// HKEY_LOCAL_MACHINE\Comm\<adapter>\DisplayName as a string value.
platform::net::sim::RegistryEntry DisplayNameString(const std::u16string& adapter,
                                                    const std::u16string& name);
// The same value, stored with another type.
platform::net::sim::RegistryEntry DisplayNameOfType(const std::u16string& adapter,
                                                    std::uint32_t type);

// Makes the scenario the device's world, its zone included.
void Install(platform::net::sim::Scenario scenario);
// Back to an empty network and the system's settings.
void Uninstall();

}  // namespace app_test
