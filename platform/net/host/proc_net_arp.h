// The kernel's older view of the IPv4 neighbour table, /proc/net/arp, read when
// netlink cannot be used. It cannot tell a reachable entry from a stale one; both
// are dynamic.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "net/network_backend.h"

namespace platform::net::host {

// `indexOf` gives a device name's interface index (0 when it has none; such rows
// are left out). Malformed lines are left out too.
std::vector<NeighbourRow> ParseProcNetArp(
    std::string_view text, const std::function<std::uint32_t(const std::string&)>& indexOf);

}  // namespace platform::net::host
