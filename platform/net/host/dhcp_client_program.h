// A DHCP client this machine may run, as the host backend drives it: how to tell
// that it is in charge of an interface, and the commands that give a lease back and
// ask for one anew. Each command ends with the interface's name.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "net/host/host_paths.h"

namespace platform::net::host {

struct DhcpClientProgram {
    std::string name{};  // as the user knows it, for the advice we print.
    std::function<bool(const std::string& interfaceName, std::uint32_t index)> manages{};
    std::vector<std::string> release{};  // empty: the client cannot give a lease back alone.
    std::vector<std::string> renew{};
    // Run before `renew` when that starts a new daemon beside a running one: it stops
    // the running one without giving the lease back, which the new one then asks for
    // again. Empty when not needed.
    std::vector<std::string> stopBeforeRenew{};
    // What would let the user give the lease back when `release` is empty.
    std::string releaseAlternative{};
    // Arguments that go before the interface's name in each command, for a client
    // whose files are named after the interface; none when empty.
    std::function<std::vector<std::string>(const std::string& interfaceName)> interfaceArguments{};
    // The pid file of a daemon that `renew` leaves to start in the background, which
    // `stopBeforeRenew` reads and removes; none when empty. A renew returns once the
    // new daemon has written it, or the next renew would find no daemon to stop and
    // leave this one running beside the daemon it starts.
    std::function<std::filesystem::path(const std::string& interfaceName)> daemonPidFile{};
};

// dhcpcd, systemd-networkd, NetworkManager and ISC dhclient, in the order the lease
// readers ask them.
std::vector<DhcpClientProgram> KnownDhcpClients(const HostPaths& paths);

}  // namespace platform::net::host
