#include <filesystem>
#include <system_error>

#include "net/host/dhcp_client_program.h"
#include "net/host/small_file.h"

namespace platform::net::host {
namespace {

bool Exists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

bool DhcpcdManages(const HostPaths& paths, const std::string& interfaceName) {
    // A daemon for the interface (IPv4 only, or both families), one for every
    // interface, or the lease a daemon left behind.
    return Exists(paths.dhcpcdRunDir / (interfaceName + "-4.pid")) ||
           Exists(paths.dhcpcdRunDir / (interfaceName + ".pid")) ||
           Exists(paths.dhcpcdRunDir / "pid") ||
           Exists(paths.dhcpcdLeaseDir / (interfaceName + ".lease"));
}

bool NetworkManagerManages(const HostPaths& paths, const std::string& interfaceName) {
    // One lease file per connection profile: internal-<profile id>-<interface>.lease.
    const std::string suffix = "-" + interfaceName + ".lease";
    std::error_code error;
    for (std::filesystem::directory_iterator entry(paths.networkManagerLeaseDir, error);
         !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        const std::string file = entry->path().filename().string();
        if (file.starts_with("internal-") && file.ends_with(suffix)) {
            return true;
        }
    }
    return false;
}

bool DhclientManages(const HostPaths& paths, const std::string& interfaceName) {
    if (Exists(paths.dhclientLeaseDir / ("dhclient." + interfaceName + ".leases"))) {
        return true;
    }
    const auto shared = ReadSmallFile(paths.dhclientLeaseDir / "dhclient.leases");
    return shared && shared->find("interface \"" + interfaceName + "\";") != std::string::npos;
}

// A client started for one interface (as ifupdown starts it) keeps its lease database
// and pid file under names of its own, which a release or a renew must be given to
// reach it: by default dhclient reads the shared database, finds no lease to give
// back, and leaves the running daemon alone. One started for all interfaces uses the
// defaults.
std::filesystem::path DhclientLeases(const HostPaths& paths, const std::string& interfaceName) {
    return paths.dhclientLeaseDir / ("dhclient." + interfaceName + ".leases");
}

std::filesystem::path DhclientPidFile(const HostPaths& paths, const std::string& interfaceName) {
    return Exists(DhclientLeases(paths, interfaceName))
               ? paths.dhclientRunDir / ("dhclient." + interfaceName + ".pid")
               : paths.dhclientRunDir / "dhclient.pid";
}

std::vector<std::string> DhclientFiles(const HostPaths& paths, const std::string& interfaceName) {
    const std::filesystem::path leases = DhclientLeases(paths, interfaceName);
    if (!Exists(leases)) {
        return {};
    }
    return {"-lf", leases.string(), "-pf", DhclientPidFile(paths, interfaceName).string()};
}

}  // namespace

std::vector<DhcpClientProgram> KnownDhcpClients(const HostPaths& paths) {
    return {
        // -n rebinds through a running daemon and starts one (in the background, so
        // the request returns at once) when the release ended the last.
        {.name = "dhcpcd",
         .manages = [paths](const std::string& name,
                            std::uint32_t) { return DhcpcdManages(paths, name); },
         .release = {paths.dhcpcdProgram, "-4", "-k"},
         .renew = {paths.dhcpcdProgram, "-4", "-n", "-b"}},
        {.name = "systemd-networkd",
         .manages =
             [paths](const std::string&, std::uint32_t index) {
                 return Exists(paths.networkdLeaseDir / std::to_string(index));
             },
         .renew = {paths.networkctlProgram, "renew"},
         .releaseAlternative =
             "taking the link down with `networkctl down` (with SendRelease= on)"},
        // Disconnecting drops the address with the lease; connecting again asks anew,
        // without waiting for the connection to come up.
        {.name = "NetworkManager",
         .manages = [paths](const std::string& name,
                            std::uint32_t) { return NetworkManagerManages(paths, name); },
         .release = {paths.nmcliProgram, "device", "disconnect"},
         .renew = {paths.nmcliProgram, "--wait", "0", "device", "connect"}},
        {.name = "dhclient",
         .manages = [paths](const std::string& name,
                            std::uint32_t) { return DhclientManages(paths, name); },
         .release = {paths.dhclientProgram, "-r"},
         .renew = {paths.dhclientProgram, "-nw"},
         // A renew starts a daemon, and dhclient would leave the one that holds the
         // lease running beside it: two clients for the interface, one more each time.
         .stopBeforeRenew = {paths.dhclientProgram, "-x"},
         .interfaceArguments =
             [paths](const std::string& name) { return DhclientFiles(paths, name); },
         .daemonPidFile =
             [paths](const std::string& name) { return DhclientPidFile(paths, name); }},
    };
}

}  // namespace platform::net::host
