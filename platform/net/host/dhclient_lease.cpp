#include "net/host/dhcp_lease.h"

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "net/host/text_fields.h"

namespace platform::net::host {
namespace {

// "4 2026/12/03 10:10:00": a weekday, then the date and time in UTC.
std::optional<std::int64_t> ParseLeaseTime(std::string_view text) {
    const std::vector<std::string_view> words = Words(text);
    if (words.size() != 3) {
        return std::nullopt;
    }
    std::tm parts{};
    char end = 0;
    const std::string when = std::string(words[1]) + " " + std::string(words[2]);
    if (std::sscanf(when.c_str(), "%d/%d/%d %d:%d:%d%c", &parts.tm_year, &parts.tm_mon,
                    &parts.tm_mday, &parts.tm_hour, &parts.tm_min, &parts.tm_sec, &end) != 6 ||
        parts.tm_mon < 1 || parts.tm_mon > 12 || parts.tm_mday < 1 || parts.tm_mday > 31 ||
        parts.tm_hour > 23 || parts.tm_min > 59 || parts.tm_sec > 60) {
        return std::nullopt;
    }
    parts.tm_year -= 1900;
    parts.tm_mon -= 1;
    return static_cast<std::int64_t>(timegm(&parts));
}

struct LeaseBlock {
    std::string interfaceName;
    bool hasAddress = false;
    std::optional<Ipv4> server;
    std::optional<std::uint64_t> seconds;
    std::optional<std::int64_t> renews;
    std::optional<std::int64_t> expires;

    // dhclient records a lease it gave back by ending it (and its renewal) at the
    // moment of the release; a lease it holds is renewed before it ends.
    bool GivenBack() const { return renews && expires && *expires <= *renews; }
};

}  // namespace

std::optional<DhcpLease> ParseDhclientLeases(std::string_view text,
                                             std::string_view interfaceName) {
    std::optional<LeaseBlock> block;
    std::optional<LeaseBlock> last;
    ForEachLine(text, [&](std::string_view line) {
        line = Trimmed(line);
        if (line.starts_with("lease") && line.ends_with('{')) {
            block.emplace();
            return;
        }
        if (!block) {
            return;
        }
        if (line == "}") {
            if (block->interfaceName == interfaceName && (block->hasAddress || block->server)) {
                last = std::move(block);
            }
            block.reset();
            return;
        }
        if (!line.ends_with(';')) {
            return;
        }
        line = Trimmed(line.substr(0, line.size() - 1));
        const std::size_t space = line.find(' ');
        const std::string_view key = line.substr(0, space);
        const std::string_view value =
            space == std::string_view::npos ? std::string_view() : Trimmed(line.substr(space));
        if (key == "interface" && value.size() >= 2 && value.front() == '"' &&
            value.back() == '"') {
            block->interfaceName = value.substr(1, value.size() - 2);
        } else if (key == "fixed-address") {
            block->hasAddress = ParseIpv4(value).has_value();
        } else if (value.starts_with("dhcp-server-identifier ")) {
            block->server = ParseIpv4(Trimmed(value.substr(value.find(' '))));
        } else if (value.starts_with("dhcp-lease-time ")) {
            block->seconds = ParseUnsigned(Trimmed(value.substr(value.find(' '))));
        } else if (key == "renew") {
            block->renews = ParseLeaseTime(value);
        } else if (key == "expire") {
            // "never" for an infinite lease: no end to report.
            block->expires = ParseLeaseTime(value);
        }
    });
    // A lease given back leaves none until the client gets another, whatever the
    // blocks before it say.
    if (!last || last->GivenBack()) {
        return std::nullopt;
    }
    // The file keeps when the lease ends; when it began follows from its length.
    DhcpLease lease;
    lease.server = last->server.value_or(0);
    lease.expires = last->expires.value_or(0);
    if (last->expires && last->seconds && *last->seconds <= 0xFFFFFFFFu) {
        lease.obtained = *last->expires - static_cast<std::int64_t>(*last->seconds);
    }
    return lease;
}

}  // namespace platform::net::host
