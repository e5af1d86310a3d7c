#include "net/host/dhcp_lease.h"

#include <string>

#include "net/host/text_fields.h"

namespace platform::net::host {

std::optional<DhcpLease> ParseNetworkdLease(std::string_view text, std::int64_t written) {
    bool hasAddress = false;
    std::optional<Ipv4> server;
    std::optional<std::uint64_t> lifetime, t1, t2;
    ForEachLine(text, [&](std::string_view line) {
        line = Trimmed(line);
        const std::size_t equals = line.find('=');
        if (line.starts_with('#') || equals == std::string_view::npos) {
            return;
        }
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        if (key == "ADDRESS") {
            hasAddress = ParseIpv4(value).has_value();
        } else if (key == "SERVER_ADDRESS") {
            server = ParseIpv4(value);
        } else if (key == "LIFETIME") {
            lifetime = ParseUnsigned(value);
        } else if (key == "T1") {
            t1 = ParseUnsigned(value);
        } else if (key == "T2") {
            t2 = ParseUnsigned(value);
        }
    });
    if (!hasAddress && !server) {
        return std::nullopt;
    }
    // Some releases leave LIFETIME out; the renewal times are then the best clue,
    // as a server that sets none of its own puts them at 1/2 and 7/8 of the lease.
    if (!lifetime && t2) {
        lifetime = *t2 * 8 / 7;
    } else if (!lifetime && t1) {
        lifetime = *t1 * 2;
    }
    return LeaseFrom(server, written, lifetime);
}

}  // namespace platform::net::host
