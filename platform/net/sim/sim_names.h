// The names a simulated network knows: forward entries (a name and its addresses)
// and reverse entries (an address and its name), kept apart as DNS keeps them, so a
// scenario can stage a name without a reverse entry and the other way round.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "net/network_backend.h"
#include "net/winsock_host_entry.h"

namespace platform::net::sim {

struct SimNames {
    std::vector<std::pair<std::string, std::vector<Ipv4>>> forward;
    std::vector<std::pair<Ipv4, std::string>> reverse;
};

// Names compare without regard to ASCII letter case. An address in text answers for
// itself, as a resolver does; "localhost" and 127.0.0.1 answer for each other unless
// the scenario names them otherwise; an empty name stands for the device's own host
// name. Anything else unknown fails with WSAHOST_NOT_FOUND.
Query<HostEntry> SimHostByName(const SimNames& names, const std::string& name,
                               const std::string& ownHostName);
Query<HostEntry> SimHostByAddress(const SimNames& names, Ipv4 address);

}  // namespace platform::net::sim
