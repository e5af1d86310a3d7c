// Stages a simulated handheld for the tests: a scenario, written as JSON in the test,
// becomes the device's network, registry and zone, as --network=FILE makes it; and what
// a faulty one is told. The simulation never waits, so a silent hop's time-out takes no
// time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "net/sim/sim_icmp_network.h"

namespace tessalink::test {

// Makes the scenario the device's world, its zone included; one whose registry values
// are refused fails the test.
void StageScenario(std::string_view json);
// Back to what a process starts with: the host's network, no registry, the system's
// settings.
void ClearScenario();

// What reading `json` as the file `fileName` says is wrong with it; "accepted" when
// nothing is.
std::string ScenarioRefusal(std::string_view json, const std::string& fileName = "net.json");

// The echoes the staged network has been sent, oldest first.
std::vector<platform::net::sim::SimSentEcho> SentEchoes();

// An IPv4 address in network byte order, as the IP Helper records hold it.
constexpr std::uint32_t Ipv4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    return static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b) << 8 |
           static_cast<std::uint32_t>(c) << 16 | static_cast<std::uint32_t>(d) << 24;
}

}  // namespace tessalink::test
