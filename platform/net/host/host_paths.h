// Where the host backend reads the machine's state. Production code uses the
// defaults; tests point them at files they wrote.
#pragma once

#include <filesystem>
#include <string>

namespace platform::net::host {

struct HostPaths {
    std::filesystem::path resolvConf = "/etc/resolv.conf";
    // systemd-resolved's list of the real upstream servers, used when resolv.conf
    // names only its local stub.
    std::filesystem::path resolvedUpstreamConf = "/run/systemd/resolve/resolv.conf";
    std::filesystem::path sysClassNet = "/sys/class/net";
    std::filesystem::path dhcpcdLeaseDir = "/var/lib/dhcpcd";
    std::filesystem::path networkdLeaseDir = "/run/systemd/netif/leases";
    // NetworkManager's internal client keeps its leases here, in networkd's format.
    std::filesystem::path networkManagerLeaseDir = "/var/lib/NetworkManager";
    // ISC dhclient's lease databases: dhclient.leases, or dhclient.IF.leases for a
    // client started for one interface.
    std::filesystem::path dhclientLeaseDir = "/var/lib/dhcp";
    // Where a dhclient started for one interface keeps its pid file, dhclient.IF.pid.
    std::filesystem::path dhclientRunDir = "/run";
    // The neighbour table as text, for when netlink is not available.
    std::filesystem::path procNetArp = "/proc/net/arp";
    std::string dhcpcdProgram = "dhcpcd";
    // dhcpcd's pid files and control sockets: IF-4.pid or IF.pid for a daemon that
    // serves one interface, pid for one that serves them all.
    std::filesystem::path dhcpcdRunDir = "/run/dhcpcd";
    // The programs that ask the other clients for a release or a renew.
    std::string networkctlProgram = "networkctl";
    std::string nmcliProgram = "nmcli";
    std::string dhclientProgram = "dhclient";
};

}  // namespace platform::net::host
