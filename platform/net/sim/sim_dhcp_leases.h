// The DHCP state of a simulated network's adapters: which have given their lease
// back, which wait for a server's answer, and the leases the servers granted. The
// scenario's adapters stay as written; this state is laid over them when the
// adapters are reported.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "net/network_backend.h"
#include "net/sim/sim_dhcp_server.h"

namespace platform::net::sim {

// The time that late servers wait by; tests give one they advance themselves.
using SimClock = std::function<std::chrono::steady_clock::time_point()>;

class SimDhcpLeases {
  public:
    SimDhcpLeases(std::vector<SimDhcpServer> servers, SimClock clock);

    // `adapter` is the scenario's; it takes on what releases and leases made of it.
    void Apply(AdapterState& adapter);
    void Release(std::uint32_t index);
    void Renew(std::uint32_t index);

  private:
    struct Granted {
        AddressWithMask address;
        Ipv4 server = 0;
        std::int64_t obtained = 0;
        std::int64_t expires = 0;
    };
    struct State {
        bool released = false;
        std::optional<std::chrono::steady_clock::time_point> renewAskedAt;
        std::optional<Granted> granted;
    };

    // The server of an adapter the scenario gives none: one that answers at once.
    SimDhcpServer ServerFor(std::uint32_t index) const;
    // The lease the server grants now, or nothing while it has not answered.
    std::optional<Granted> Answer(const AdapterState& adapter, const State& state) const;

    std::vector<SimDhcpServer> servers_;
    SimClock clock_;
    std::map<std::uint32_t, State> states_;
};

}  // namespace platform::net::sim
