#include "net/host/dhcp_lease.h"

namespace platform::net::host {

DhcpLease LeaseFrom(std::optional<Ipv4> server, std::int64_t written,
                    std::optional<std::uint64_t> seconds) {
    DhcpLease lease;
    lease.server = server.value_or(0);
    lease.obtained = written;
    // An infinite lease (0xFFFFFFFF) ends in 2106, which is what it means.
    if (seconds && *seconds <= 0xFFFFFFFFu) {
        lease.expires = written + static_cast<std::int64_t>(*seconds);
    }
    return lease;
}

}  // namespace platform::net::host
