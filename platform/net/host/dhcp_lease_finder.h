// Finds the lease that a DHCP client holds for an interface, asking the clients
// in turn: dhcpcd, systemd-networkd, NetworkManager's internal client, ISC dhclient.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "net/host/dhcp_lease.h"
#include "net/host/host_paths.h"

namespace platform::net::host {

class DhcpLeaseFinder {
  public:
    explicit DhcpLeaseFinder(const HostPaths& paths) : paths_(paths) {}

    // Nothing when no client we know holds a lease for the interface, or when
    // its lease is in a form we do not recognise.
    std::optional<DhcpLease> Find(const std::string& interfaceName, std::uint32_t index) const;

  private:
    std::optional<DhcpLease> FromDhcpcd(const std::string& interfaceName) const;
    std::optional<DhcpLease> FromNetworkd(std::uint32_t index) const;
    std::optional<DhcpLease> FromNetworkManager(const std::string& interfaceName) const;
    std::optional<DhcpLease> FromDhclient(const std::string& interfaceName) const;

    const HostPaths& paths_;
};

}  // namespace platform::net::host
