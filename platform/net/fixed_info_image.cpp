#include "net/fixed_info_image.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "net/fixed_text.h"

namespace platform::net {

FixedInfoImage::FixedInfoImage(const NetworkParameters& parameters, void* destination)
    : destination_(reinterpret_cast<std::uintptr_t>(destination)),
      overflow_(destination_ + sizeof(FIXED_INFO)) {
    CopyFixedText(parameters.hostName, record_.HostName);
    CopyFixedText(parameters.domainName, record_.DomainName);

    std::vector<AddressEntry> servers;
    for (const Ipv4 server : parameters.dnsServers) {
        servers.push_back({FormatIpv4(server), {}});
    }
    const auto placed = overflow_.Chain(record_.DnsServerList, servers);

    // The current server points into the list when it is one of its entries, as
    // Windows reports it; a server outside the list gets an entry of its own.
    if (parameters.currentDnsServer) {
        const auto found = std::find(parameters.dnsServers.begin(), parameters.dnsServers.end(),
                                     *parameters.currentDnsServer);
        if (found == parameters.dnsServers.begin()) {
            record_.CurrentDnsServer = reinterpret_cast<PIP_ADDR_STRING>(
                destination_ + offsetof(FIXED_INFO, DnsServerList));
        } else if (found != parameters.dnsServers.end()) {
            record_.CurrentDnsServer =
                placed[static_cast<std::size_t>(found - parameters.dnsServers.begin() - 1)];
        } else {
            record_.CurrentDnsServer =
                overflow_.Add({FormatIpv4(*parameters.currentDnsServer), {}});
        }
    }

    // Without WINS servers, NetBIOS names are found by broadcast.
    record_.NodeType = BROADCAST_NODETYPE;
    record_.EnableDns = parameters.dnsServers.empty() ? 0 : 1;
}

void FixedInfoImage::CopyToDestination() const {
    auto* bytes = reinterpret_cast<std::byte*>(destination_);
    std::memcpy(bytes, &record_, sizeof record_);
    overflow_.CopyTo(bytes + sizeof record_);
}

}  // namespace platform::net
