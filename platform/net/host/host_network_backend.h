// The real Linux machine behind the IP Helper facade: links, addresses, routes
// and neighbours by route netlink, speeds and device kinds from sysfs, DHCP state
// from the client that manages each interface, host parameters from the resolver
// configuration.
#pragma once

#include <atomic>
#include <cstddef>

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
};

}  // namespace platform::net::host
