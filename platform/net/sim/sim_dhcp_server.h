// How a simulated adapter's DHCP server behaves when the device gives its lease back
// and asks for one anew: it answers at once, after a delay, or never, and grants one
// address for a lease of a given length.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "net/network_backend.h"

namespace platform::net::sim {

enum class SimDhcpAnswer { AtOnce, Late, Never };

struct SimDhcpServer {
    std::uint32_t adapter = 0;  // the interface index of the adapter it serves.
    SimDhcpAnswer answer = SimDhcpAnswer::AtOnce;
    std::chrono::milliseconds delay{0};  // how late a late server answers.
    // Unset: the adapter's own DHCP server, its first address, the length of its
    // lease (or one day when it has none).
    std::optional<Ipv4> server;
    std::optional<AddressWithMask> offer;
    std::optional<std::uint32_t> leaseSeconds;
};

}  // namespace platform::net::sim
