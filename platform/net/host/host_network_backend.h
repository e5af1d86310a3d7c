// The real Linux machine behind the IP Helper facade: links, addresses, routes
// and neighbours by route netlink, speeds and device kinds from sysfs, DHCP state
// from the client that manages each interface, host parameters from the resolver
// configuration.
#pragma once

#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <iostream>

#include "net/host/dhcp_client_control.h"
#include "net/host/held_neighbour_table.h"
#include "net/host/host_paths.h"
#include "net/host/netlink_messages.h"
#include "net/network_backend.h"

namespace platform::net::host {

class HostNetworkBackend final : public NetworkBackend {
  public:
    explicit HostNetworkBackend(HostPaths paths) : paths_(std::move(paths)) {}

    Query<std::vector<AdapterState>> Adapters() override;
    Query<InterfaceState> Interface(std::uint32_t index) override;
    Query<NetworkParameters> Parameters() override;
    Query<std::vector<NeighbourRow>> Neighbours() override;
    // Reads the table and holds it for this thread's next Neighbours().
    Query<std::size_t> NeighbourCount() override;
    std::uint32_t ReleaseLease(std::uint32_t index) override;
    std::uint32_t RenewLease(std::uint32_t index) override;
    Query<std::unique_ptr<EchoChannel>> OpenEchoChannel() override;
    Query<HostEntry> HostByName(const std::string& name) override;
    Query<HostEntry> HostByAddress(Ipv4 address) override;

  private:
    std::uint32_t TypeOf(const LinkRecord& link) const;
    std::string DescriptionOf(const LinkRecord& link) const;
    void FillDhcpState(AdapterState& adapter, const std::vector<AddressRecord>& addresses) const;
    Query<std::vector<NeighbourRow>> ReadNeighbours();
    Query<std::vector<NeighbourRow>> NeighboursFromProc() const;

    HostPaths paths_;
    HeldNeighbourTable heldNeighbours_;
    // The size of the last table read: room to reserve for the next one.
    std::atomic<std::size_t> lastNeighbourCount_ = 0;
    // Only root may command the DHCP clients; the user is told so on standard error.
    DhcpClientControl dhcpClients_{paths_, geteuid() == 0, std::cerr};
};

}  // namespace platform::net::host
