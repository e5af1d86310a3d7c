// The DHCP clients' leases: dhclient's database, dhcpcd's dump and raw lease file, and
// networkd's lease. A lease whose time the client gave as a duration ends after it
// began, within the 32 bits DHCP has for it.
#include "fuzz_target.h"
#include "net/host/dhcp_lease.h"

TESSALINK_FUZZ_TARGET(dhcp_lease) {
    using namespace platform::net::host;
    const std::string_view text = tessalink::fuzz::Text(input);
    constexpr std::int64_t kWritten = 1'780'000'000;
    ParseDhclientLeases(text, "eth0");
    for (const auto& lease :
         {ParseDhcpcdVariables(text, kWritten), ParseNetworkdLease(text, kWritten),
          ParseDhcpcdLease(input, kWritten)}) {
        if (lease && lease->expires != 0) {
            FUZZ_CHECK(lease->obtained == kWritten);
            FUZZ_CHECK(lease->expires >= kWritten && lease->expires - kWritten <= 0xFFFFFFFF);
        }
    }
}
