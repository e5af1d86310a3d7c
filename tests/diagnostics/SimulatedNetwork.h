// Stages the simulated network the diagnostics engine's tests run on: hosts that answer
// echoes, the routers on the way to them, names. The simulation never waits, so a
// silent hop's ten-second time-out takes no time.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "net/sim/scenario.h"

namespace diagnostics_test {

using platform::net::Ipv4;

// An IPv4 address in network byte order.
constexpr Ipv4 Address(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    return static_cast<Ipv4>(a) | static_cast<Ipv4>(b) << 8 | static_cast<Ipv4>(c) << 16 |
           static_cast<Ipv4>(d) << 24;
}

// A host with the routers before it, nearest first (nothing for one that stays
// silent), answering the first `answers` echoes that reach it, or all.
platform::net::sim::SimEchoHost EchoHost(Ipv4 address, std::uint32_t rtt,
                                         const std::vector<std::optional<Ipv4>>& routers = {},
                                         std::optional<std::uint64_t> answers = std::nullopt);

// Makes the scenario the device's network.
void InstallNetwork(platform::net::sim::Scenario scenario);

// The echoes the installed network has been sent, oldest first.
std::vector<platform::net::sim::SimSentEcho> SentEchoes();

}  // namespace diagnostics_test
