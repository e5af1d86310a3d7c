#include "net/host/host_network_backend.h"

// glibc's interface header must come before the kernel's, which defers to it.
#include <net/if.h>

#include <iptypes.h>
#include <linux/if_arp.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <winerror.h>

#include <algorithm>
#include <ctime>

#include "net/host/dhcp_lease_finder.h"
#include "net/host/host_parameters.h"
#include "net/host/icmp_host_echo_channel.h"
#include "net/host/interface_sysfs.h"
#include "net/host/name_lookup_resolver.h"
#include "net/host/netlink_socket.h"
#include "net/host/proc_net_arp.h"
#include "net/host/small_file.h"

namespace platform::net::host {
namespace {

// Hundredths of a second since boot: the clock of the kernel's address stamps.
std::uint32_t Uptime() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint32_t>(now.tv_sec * 100 + now.tv_nsec / 10'000'000);
}

// Primary addresses first, each group in the kernel's order.
std::vector<AddressWithMask> AddressesOf(std::uint32_t index,
                                         const std::vector<AddressRecord>& records) {
    std::vector<AddressRecord> own;
    std::copy_if(records.begin(), records.end(), std::back_inserter(own),
                 [&](const AddressRecord& record) { return record.index == index; });
    std::stable_partition(own.begin(), own.end(), [](const AddressRecord& record) {
        return (record.flags & IFA_F_SECONDARY) == 0;
    });
    std::vector<AddressWithMask> addresses;
    for (const AddressRecord& record : own) {
        addresses.push_back(record.address);
    }
    return addresses;
}

// The preferred gateway (lowest metric) first.
std::vector<Ipv4> GatewaysOf(std::uint32_t index, std::vector<DefaultGateway> gateways) {
    std::stable_sort(
        gateways.begin(), gateways.end(),
        [](const DefaultGateway& a, const DefaultGateway& b) { return a.metric < b.metric; });
    std::vector<Ipv4> own;
    for (const DefaultGateway& gateway : gateways) {
        if (gateway.interfaceIndex == index) {
            own.push_back(gateway.address);
        }
    }
    return own;
}

std::optional<std::vector<DefaultGateway>> DefaultGateways(NetlinkMessage message) {
    auto gateways = ParseDefaultRouteMessage(message);
    if (gateways.empty()) {
        return std::nullopt;
    }
    return gateways;
}

}  // namespace

Query<std::vector<AdapterState>> HostNetworkBackend::Adapters() {
    NetlinkSocket socket;
    if (!socket.IsOpen()) {
        return Query<std::vector<AdapterState>>::Failure(ERROR_NOT_SUPPORTED);
    }
    std::vector<LinkRecord> links;
    std::vector<AddressRecord> addresses;
    std::vector<std::vector<DefaultGateway>> routes;
    if (DumpRecords(socket, RTM_GETLINK, AF_UNSPEC, ParseLinkMessage, links) != 0 ||
        DumpRecords(socket, RTM_GETADDR, AF_INET, ParseAddressMessage, addresses) != 0 ||
        DumpRecords(socket, RTM_GETROUTE, AF_INET, DefaultGateways, routes) != 0) {
        return Query<std::vector<AdapterState>>::Failure(ERROR_GEN_FAILURE);
    }
    std::vector<DefaultGateway> gateways;
    for (const auto& route : routes) {
        gateways.insert(gateways.end(), route.begin(), route.end());
    }

    // The pages open on the first adapter, and in index order that is often a device
    // nobody has brought up (a spare bridge, an ifb made by a traffic shaper) while the
    // one in use comes later; links that are up come first, each group in index order.
    // (Iterators rather than the range overload: clang 14 cannot compile that one
    // against libstdc++ 12.)
    std::stable_partition(links.begin(), links.end(),
                          [](const LinkRecord& link) { return (link.flags & IFF_UP) != 0; });
    std::vector<AdapterState> adapters;
    for (const LinkRecord& link : links) {
        if (link.hardwareType == ARPHRD_LOOPBACK) {
            continue;
        }
        AdapterState adapter;
        adapter.name = link.name;
        adapter.description = DescriptionOf(link);
        adapter.index = link.index;
        adapter.type = TypeOf(link);
        adapter.hardwareAddress = link.hardwareAddress;
        adapter.addresses = AddressesOf(link.index, addresses);
        adapter.gateways = GatewaysOf(link.index, gateways);
        FillDhcpState(adapter, addresses);
        adapters.push_back(std::move(adapter));
    }
    return adapters;
}

Query<InterfaceState> HostNetworkBackend::Interface(std::uint32_t index) {
    NetlinkSocket socket;
    if (!socket.IsOpen()) {
        return Query<InterfaceState>::Failure(ERROR_NOT_SUPPORTED);
    }
    std::optional<LinkRecord> link;
    const int error = socket.GetLink(index, [&](NetlinkMessage message) {
        if (auto record = ParseLinkMessage(message); record && record->index == index) {
            link = std::move(record);
        }
    });
    if (error == ENODEV || (error == 0 && !link)) {
        // What the handheld answers for an index that names no interface.
        return Query<InterfaceState>::Failure(ERROR_INVALID_DATA);
    }
    if (error != 0) {
        return Query<InterfaceState>::Failure(ERROR_GEN_FAILURE);
    }
    InterfaceState state;
    state.index = link->index;
    state.name = link->name;
    state.description = DescriptionOf(*link);
    state.type = TypeOf(*link);
    state.mtu = link->mtu;
    state.speed = InterfaceSysfs(paths_.sysClassNet, link->name).SpeedBitsPerSecond();
    state.hardwareAddress = link->hardwareAddress;
    state.adminUp = (link->flags & IFF_UP) != 0;
    // Drivers that do not track carrier (tun, dummy) leave the state unknown;
    // for them "running" is the best word we have.
    state.operational = link->operState == IF_OPER_UP ||
                        (link->operState == IF_OPER_UNKNOWN && (link->flags & IFF_RUNNING) != 0);
    return state;
}

Query<NetworkParameters> HostNetworkBackend::Parameters() {
    return ReadHostParameters(paths_);
}

Query<std::vector<NeighbourRow>> HostNetworkBackend::Neighbours() {
    if (auto held = heldNeighbours_.Take()) {
        return std::move(*held);
    }
    return ReadNeighbours();
}

Query<std::size_t> HostNetworkBackend::NeighbourCount() {
    auto rows = ReadNeighbours();
    if (!rows.ok()) {
        return Query<std::size_t>::Failure(rows.error());
    }
    const std::size_t count = rows.value().size();
    heldNeighbours_.Hold(std::move(rows.value()));
    return count;
}

std::uint32_t HostNetworkBackend::ReleaseLease(std::uint32_t index) {
    return dhcpClients_.Release(index);
}

std::uint32_t HostNetworkBackend::RenewLease(std::uint32_t index) {
    return dhcpClients_.Renew(index);
}

Query<std::vector<NeighbourRow>> HostNetworkBackend::ReadNeighbours() {
    NetlinkSocket socket;
    std::vector<NeighbourRow> rows;
    if (!socket.IsOpen() || DumpRecords(socket, RTM_GETNEIGH, AF_INET, ParseNeighbourMessage, rows,
                                        lastNeighbourCount_.load()) != 0) {
        return NeighboursFromProc();
    }
    lastNeighbourCount_.store(rows.size());
    return rows;
}

Query<std::vector<NeighbourRow>> HostNetworkBackend::NeighboursFromProc() const {
    const auto text = ReadSmallFile(paths_.procNetArp);
    if (!text) {
        return Query<std::vector<NeighbourRow>>::Failure(ERROR_NOT_SUPPORTED);
    }
    return ParseProcNetArp(*text, [](const std::string& device) {
        return static_cast<std::uint32_t>(if_nametoindex(device.c_str()));
    });
}

std::uint32_t HostNetworkBackend::TypeOf(const LinkRecord& link) const {
    switch (link.hardwareType) {
        case ARPHRD_ETHER:
            // Wi-Fi devices present themselves as Ethernet; sysfs tells them apart.
            return InterfaceSysfs(paths_.sysClassNet, link.name).IsWireless()
                       ? IF_TYPE_IEEE80211
                       : MIB_IF_TYPE_ETHERNET;
        case ARPHRD_LOOPBACK:
            return MIB_IF_TYPE_LOOPBACK;
        case ARPHRD_PPP:
            return MIB_IF_TYPE_PPP;
        default:
            return MIB_IF_TYPE_OTHER;
    }
}

std::string HostNetworkBackend::DescriptionOf(const LinkRecord& link) const {
    // Linux has no marketing name for a device; its driver is the honest answer,
    // and virtual devices, which have none, go by their own name.
    return InterfaceSysfs(paths_.sysClassNet, link.name).DriverName().value_or(link.name);
}

void HostNetworkBackend::FillDhcpState(AdapterState& adapter,
                                       const std::vector<AddressRecord>& addresses) const {
    std::optional<DhcpLease> lease = DhcpLeaseFinder(paths_).Find(adapter.name, adapter.index);
    // No client we can ask holds a lease, yet an address that will expire was set
    // by some client: DHCP is on, with what the address itself tells.
    const std::int64_t now = std::time(nullptr);
    const std::uint32_t uptime = Uptime();
    for (auto record = addresses.begin(); !lease && record != addresses.end(); ++record) {
        if (record->index == adapter.index) {
            lease = LeaseFromAddressLifetime(*record, now, uptime);
        }
    }
    if (!lease) {
        // A client in charge of the interface without a lease (it has given it back,
        // or still asks for one) leaves DHCP on, with no address, as the handheld does.
        adapter.dhcpEnabled = dhcpClients_.Manages(adapter.name, adapter.index);
        return;
    }
    adapter.dhcpEnabled = true;
    adapter.dhcpServer = lease->server;
    adapter.leaseObtained = lease->obtained;
    adapter.leaseExpires = lease->expires;
}

Query<std::unique_ptr<EchoChannel>> HostNetworkBackend::OpenEchoChannel() {
    return OpenHostEchoChannel();
}

Query<HostEntry> HostNetworkBackend::HostByName(const std::string& name) {
    return LookUpHostName(name);
}

Query<HostEntry> HostNetworkBackend::HostByAddress(Ipv4 address) {
    return LookUpHostAddress(address);
}

}  // namespace platform::net::host
