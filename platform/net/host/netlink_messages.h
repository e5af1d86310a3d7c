// Decoding of the route-netlink messages the host backend asks for. Each parser
// takes one message exactly as the kernel sent it and yields nothing for a record
// that is truncated, of another family or missing what identifies it, so that a
// damaged reply costs one row, never the whole answer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "net/network_backend.h"

namespace platform::net::host {

// One message: its netlink header and everything after it.
using NetlinkMessage = std::span<const std::byte>;

struct LinkRecord {
    std::uint32_t index = 0;
    std::uint16_t hardwareType = 0;  // ARPHRD_*.
    std::uint32_t flags = 0;         // IFF_*.
    std::string name;
    std::string alias;
    std::vector<std::uint8_t> hardwareAddress;  // at most 8 bytes.
    std::uint32_t mtu = 0;
    std::uint8_t operState = 0;  // IF_OPER_*.
};

struct AddressRecord {
    std::uint32_t index = 0;
    AddressWithMask address;
    std::uint32_t flags = 0;  // IFA_F_*.
    // Remaining valid lifetime in seconds (0xFFFFFFFF: forever) and when the kernel
    // last set it, in hundredths of a second since boot.
    std::uint32_t validLifetime = 0xFFFFFFFF;
    std::uint32_t updatedAt = 0;
};

struct DefaultGateway {
    std::uint32_t interfaceIndex = 0;
    Ipv4 address = 0;
    std::uint32_t metric = 0;
};

std::optional<LinkRecord> ParseLinkMessage(NetlinkMessage message);
std::optional<AddressRecord> ParseAddressMessage(NetlinkMessage message);
// The gateways of an IPv4 default route of the main table (one per next hop);
// empty for every other route.
std::vector<DefaultGateway> ParseDefaultRouteMessage(NetlinkMessage message);
std::optional<NeighbourRow> ParseNeighbourMessage(NetlinkMessage message);

// The ARP row type (MIB_IPNET_TYPE_*) for a neighbour state (NUD_*).
std::uint32_t NeighbourTypeFromState(std::uint16_t state);

}  // namespace platform::net::host
