// The network backend of a scenario: it answers from the scenario's tables, and
// counts every query so that the scenario's faults strike at the call they name.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>

#include "net/network_backend.h"
#include "net/sim/scenario.h"
#include "net/sim/sim_dhcp_leases.h"

namespace platform::net::sim {

class SimBackend final : public NetworkBackend {
  public:
    explicit SimBackend(Scenario scenario, SimClock clock = &std::chrono::steady_clock::now);

    Query<std::vector<AdapterState>> Adapters() override;
    Query<InterfaceState> Interface(std::uint32_t index) override;
    Query<NetworkParameters> Parameters() override;
    Query<std::vector<NeighbourRow>> Neighbours() override;
    std::uint32_t ReleaseLease(std::uint32_t index) override;
    std::uint32_t RenewLease(std::uint32_t index) override;
    Query<std::unique_ptr<EchoChannel>> OpenEchoChannel() override;
    Query<HostEntry> HostByName(const std::string& name) override;
    Query<HostEntry> HostByAddress(Ipv4 address) override;

    // What the network's hosts were sent, for tests.
    const SimEchoNetwork& EchoNetwork() const { return *echoNetwork_; }

  private:
    // The error a fault gives the query being answered, or 0.
    std::uint32_t InjectedError(SimQuery query) const;
    // Counted when a query has been answered, failed or not: the tables grow and
    // adapters vanish between queries, never during one.
    void Answered(SimQuery query) { ++answered_[static_cast<std::size_t>(query)]; }
    std::uint64_t AnsweredCount(SimQuery query) const {
        return answered_[static_cast<std::size_t>(query)];
    }
    std::vector<SimAdapter> PresentAdapters() const;
    // Makes the request of a present adapter with DHCP, or says why it cannot.
    std::uint32_t DhcpRequest(std::uint32_t index, void (SimDhcpLeases::*request)(std::uint32_t));
    bool Vanished(std::uint32_t index) const;

    std::mutex mutex_;
    const Scenario scenario_;
    std::array<std::uint64_t, kSimQueryCount> answered_{};
    SimDhcpLeases dhcpLeases_;
    // Shared with every open echo channel, which may outlive the backend.
    std::shared_ptr<SimEchoNetwork> echoNetwork_;
};

}  // namespace platform::net::sim
