#include "net/host/dhcp_lease_finder.h"

#include <filesystem>
#include <system_error>

#include "net/host/bounded_command.h"
#include "net/host/small_file.h"

namespace platform::net::host {
namespace {

// dhcpcd answers -U from its own state at once; anything slower is stuck.
constexpr std::chrono::milliseconds kDhcpcdLimit{2000};

std::span<const std::uint8_t> Bytes(const std::string& content) {
    return {reinterpret_cast<const std::uint8_t*>(content.data()), content.size()};
}

}  // namespace

std::optional<DhcpLease> DhcpLeaseFinder::Find(const std::string& interfaceName,
                                               std::uint32_t index) const {
    if (auto lease = FromDhcpcd(interfaceName)) {
        return lease;
    }
    if (auto lease = FromNetworkd(index)) {
        return lease;
    }
    if (auto lease = FromNetworkManager(interfaceName)) {
        return lease;
    }
    return FromDhclient(interfaceName);
}

std::optional<DhcpLease> DhcpLeaseFinder::FromDhcpcd(const std::string& interfaceName) const {
    const std::filesystem::path file = paths_.dhcpcdLeaseDir / (interfaceName + ".lease");
    const auto written = ModificationTime(file);
    if (!written) {
        return std::nullopt;
    }
    if (const auto content = ReadSmallFile(file)) {
        return ParseDhcpcdLease(Bytes(*content), *written);
    }
    // The file is the daemon's (root, 0640); the daemon tells anyone over its socket.
    const auto output =
        RunBoundedCommand({paths_.dhcpcdProgram, "-4", "-U", interfaceName}, kDhcpcdLimit);
    if (!output) {
        return std::nullopt;
    }
    return ParseDhcpcdVariables(*output, *written);
}

std::optional<DhcpLease> DhcpLeaseFinder::FromNetworkd(std::uint32_t index) const {
    const std::filesystem::path file = paths_.networkdLeaseDir / std::to_string(index);
    const auto written = ModificationTime(file);
    const auto content = ReadSmallFile(file);
    if (!written || !content) {
        return std::nullopt;
    }
    return ParseNetworkdLease(*content, *written);
}

std::optional<DhcpLease> DhcpLeaseFinder::FromDhclient(const std::string& interfaceName) const {
    // A client started for one interface keeps its own file; one started for all
    // shares the common one.
    for (const std::string& name :
         {"dhclient." + interfaceName + ".leases", std::string("dhclient.leases")}) {
        if (const auto content = ReadSmallFile(paths_.dhclientLeaseDir / name)) {
            if (auto lease = ParseDhclientLeases(*content, interfaceName)) {
                return lease;
            }
        }
    }
    return std::nullopt;
}

std::optional<DhcpLease> DhcpLeaseFinder::FromNetworkManager(
    const std::string& interfaceName) const {
    // One file per connection profile used on the interface:
    // internal-<profile id>-<interface>.lease; the newest is the current one.
    const std::string suffix = "-" + interfaceName + ".lease";
    std::optional<std::filesystem::path> newest;
    std::int64_t newestTime = 0;
    // The non-throwing increment: a directory that changes while we walk it
    // ends the walk instead of raising.
    std::error_code error;
    for (std::filesystem::directory_iterator entry(paths_.networkManagerLeaseDir, error);
         !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (!name.starts_with("internal-") || !name.ends_with(suffix)) {
            continue;
        }
        const auto written = ModificationTime(entry->path());
        if (written && (!newest || *written > newestTime)) {
            newest = entry->path();
            newestTime = *written;
        }
    }
    if (!newest) {
        return std::nullopt;
    }
    const auto content = ReadSmallFile(*newest);
    return content ? ParseNetworkdLease(*content, newestTime) : std::nullopt;
}

}  // namespace platform::net::host
