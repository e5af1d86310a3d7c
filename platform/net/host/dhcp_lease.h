// A DHCP lease as the adapter records report it, and the readers of the forms in
// which the host's DHCP clients keep theirs. Each reader refuses a form it does
// not recognise (nothing rather than a guess): lease files are no stable interface.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "net/host/netlink_messages.h"
#include "net/network_backend.h"

namespace platform::net::host {

struct DhcpLease {
    Ipv4 server = 0;            // 0.0.0.0 when unknown.
    std::int64_t obtained = 0;  // seconds since 1970, UTC; 0 when unknown.
    std::int64_t expires = 0;
};

// A lease from `server` (0.0.0.0 when unknown) obtained at `written`, for
// `seconds` when known and within the 32 bits DHCP gives a lease time.
DhcpLease LeaseFrom(std::optional<Ipv4> server, std::int64_t written,
                    std::optional<std::uint64_t> seconds);

// dhcpcd's lease file: the server's raw reply (a BOOTP message with DHCP options).
// `written` is the file's modification time, which is when the last ACK came.
std::optional<DhcpLease> ParseDhcpcdLease(std::span<const std::uint8_t> packet,
                                          std::int64_t written);

// The `name=value` lines that `dhcpcd -4 -U IF` prints for the lease it holds.
std::optional<DhcpLease> ParseDhcpcdVariables(std::string_view text, std::int64_t written);

// systemd-networkd's (and NetworkManager's internal client's) `KEY=value` lease.
std::optional<DhcpLease> ParseNetworkdLease(std::string_view text, std::int64_t written);

// ISC dhclient's lease database: `lease { ... }` blocks, appended as leases are
// renewed, so the last block for the interface is the current lease. Its times are
// UTC. Nothing when no block names the interface, or when the last one is a lease the
// client gave back.
std::optional<DhcpLease> ParseDhclientLeases(std::string_view text, std::string_view interfaceName);

// A lease known only from the address it configured: a dynamic address (not
// permanent, finite lifetime) whose client we cannot ask. Nothing for a static
// address. `now` is seconds since 1970 and `uptime` hundredths of a second since
// boot, the clock of the kernel's address stamps.
std::optional<DhcpLease> LeaseFromAddressLifetime(const AddressRecord& address, std::int64_t now,
                                                  std::uint32_t uptime);

}  // namespace platform::net::host
