#include "net/sim/sim_names.h"

#include <algorithm>

#include "net/ipv4_text.h"

// Last: its macros (s_addr, h_addr, ...) must not meet the standard library's headers.
#include <winsock2.h>

namespace platform::net::sim {
namespace {

constexpr std::string_view kLocalhost = "localhost";

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

Ipv4 Loopback() {
    return *ParseDottedQuad("127.0.0.1");
}

}  // namespace

Query<HostEntry> SimHostByName(const SimNames& names, const std::string& name,
                               const std::string& ownHostName) {
    const std::string& wanted = name.empty() ? ownHostName : name;
    const auto found =
        std::find_if(names.forward.begin(), names.forward.end(),
                     [&](const auto& entry) { return SameName(entry.first, wanted); });
    if (found != names.forward.end()) {
        return HostEntry{.name = found->first, .aliases = {}, .addresses = found->second};
    }
    if (const auto address = ParseIpv4(wanted); address && !wanted.empty()) {
        return HostEntry{.name = wanted, .aliases = {}, .addresses = {*address}};
    }
    if (SameName(wanted, kLocalhost)) {
        return HostEntry{.name = std::string(kLocalhost), .aliases = {}, .addresses = {Loopback()}};
    }
    return Query<HostEntry>::Failure(WSAHOST_NOT_FOUND);
}

Query<HostEntry> SimHostByAddress(const SimNames& names, Ipv4 address) {
    const auto found = std::find_if(names.reverse.begin(), names.reverse.end(),
                                    [&](const auto& entry) { return entry.first == address; });
    if (found != names.reverse.end()) {
        return HostEntry{.name = found->second, .aliases = {}, .addresses = {address}};
    }
    if (address == Loopback()) {
        return HostEntry{.name = std::string(kLocalhost), .aliases = {}, .addresses = {address}};
    }
    return Query<HostEntry>::Failure(WSAHOST_NOT_FOUND);
}

}  // namespace platform::net::sim
