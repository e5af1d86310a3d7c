#include "net/host/dhcp_lease.h"

#include <linux/if_addr.h>

namespace platform::net::host {
namespace {

constexpr std::uint32_t kForever = 0xFFFFFFFF;

}  // namespace

std::optional<DhcpLease> LeaseFromAddressLifetime(const AddressRecord& address, std::int64_t now,
                                                  std::uint32_t uptime) {
    if ((address.flags & IFA_F_PERMANENT) != 0 || address.validLifetime == kForever) {
        return std::nullopt;
    }
    // The kernel stamps an address when a client last set its lifetime, which a
    // DHCP client does at every ACK: that is when the lease was obtained, and it
    // ends when the remaining lifetime runs out. The server stays unknown. Both
    // clocks count from boot in 32-bit hundredths, so the difference survives
    // their wrap-around.
    const std::uint32_t hundredthsSinceUpdate = uptime - address.updatedAt;
    DhcpLease lease;
    lease.obtained = now - static_cast<std::int64_t>(hundredthsSinceUpdate / 100);
    lease.expires = now + static_cast<std::int64_t>(address.validLifetime);
    return lease;
}

}  // namespace platform::net::host
