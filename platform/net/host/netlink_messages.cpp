#include "net/host/netlink_messages.h"

#include <iprtrmib.h>
#include <libmnl/libmnl.h>
#include <linux/if.h>
#include <linux/if_addr.h>
#include <linux/if_link.h>
#include <linux/neighbour.h>
#include <linux/rtnetlink.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace platform::net::host {
namespace {

// The attributes of one message (or one nested block), by type; a type the
// message lacks, or carries twice, keeps the last one seen.
template <std::size_t Count>
using AttributeTable = std::array<const nlattr*, Count>;

template <std::size_t Count>
int StoreAttribute(const nlattr* attribute, void* data) {
    auto& table = *static_cast<AttributeTable<Count>*>(data);
    const std::uint16_t type = mnl_attr_get_type(attribute);
    if (type < Count) {
        table[type] = attribute;
    }
    return MNL_CB_OK;
}

// The message's header when it is whole and carries at least the family header;
// null otherwise.
const nlmsghdr* WholeMessage(NetlinkMessage message, std::size_t familyHeaderSize) {
    if (message.size() < sizeof(nlmsghdr)) {
        return nullptr;
    }
    const auto* header = reinterpret_cast<const nlmsghdr*>(message.data());
    if (!mnl_nlmsg_ok(header, static_cast<int>(message.size())) ||
        mnl_nlmsg_get_payload_len(header) < familyHeaderSize) {
        return nullptr;
    }
    return header;
}

// The message's attributes, or nothing when one runs past the message's end: a
// record cut short is skipped whole rather than half read.
template <std::size_t Count>
std::optional<AttributeTable<Count>> Attributes(const nlmsghdr* header,
                                                std::size_t familyHeaderSize) {
    AttributeTable<Count> table{};
    const auto* attribute =
        static_cast<const nlattr*>(mnl_nlmsg_get_payload_offset(header, familyHeaderSize));
    const auto* end = reinterpret_cast<const char*>(header) + header->nlmsg_len;
    auto remaining = static_cast<int>(end - reinterpret_cast<const char*>(attribute));
    while (mnl_attr_ok(attribute, remaining)) {
        StoreAttribute<Count>(attribute, &table);
        remaining -= static_cast<int>(MNL_ALIGN(attribute->nla_len));
        attribute = mnl_attr_next(attribute);
    }
    if (remaining > 0) {
        return std::nullopt;
    }
    return table;
}

std::optional<std::uint32_t> U32(const nlattr* attribute) {
    if (attribute == nullptr || mnl_attr_validate(attribute, MNL_TYPE_U32) < 0) {
        return std::nullopt;
    }
    return mnl_attr_get_u32(attribute);
}

std::optional<std::uint8_t> U8(const nlattr* attribute) {
    if (attribute == nullptr || mnl_attr_validate(attribute, MNL_TYPE_U8) < 0) {
        return std::nullopt;
    }
    return mnl_attr_get_u8(attribute);
}

std::optional<Ipv4> Address(const nlattr* attribute) {
    if (attribute == nullptr || mnl_attr_get_payload_len(attribute) != sizeof(Ipv4)) {
        return std::nullopt;
    }
    Ipv4 address = 0;
    std::memcpy(&address, mnl_attr_get_payload(attribute), sizeof address);
    return address;
}

std::string Text(const nlattr* attribute) {
    if (attribute == nullptr) {
        return {};
    }
    const auto* text = static_cast<const char*>(mnl_attr_get_payload(attribute));
    return std::string(text, strnlen(text, mnl_attr_get_payload_len(attribute)));
}

// Hardware addresses longer than the Win32 rows hold (InfiniBand's 20 bytes) keep
// their first eight bytes: the rows have no room for more.
std::vector<std::uint8_t> HardwareAddress(const nlattr* attribute) {
    if (attribute == nullptr) {
        return {};
    }
    const auto* bytes = static_cast<const std::uint8_t*>(mnl_attr_get_payload(attribute));
    const std::size_t length =
        std::min<std::size_t>(mnl_attr_get_payload_len(attribute), PhysicalAddress::kCapacity);
    return std::vector<std::uint8_t>(bytes, bytes + length);
}

Ipv4 MaskFromPrefix(std::uint8_t prefixLength) {
    if (prefixLength == 0) {
        return 0;
    }
    const std::uint32_t hostOrder =
        prefixLength >= 32 ? 0xFFFFFFFFu : ~((std::uint32_t{1} << (32 - prefixLength)) - 1);
    return htonl(hostOrder);
}

// Next hops of a multipath route: each an rtnexthop with its own attributes.
void AppendNextHops(const nlattr* multipath, std::uint32_t metric,
                    std::vector<DefaultGateway>& gateways) {
    const auto* cursor = static_cast<const std::byte*>(mnl_attr_get_payload(multipath));
    std::size_t remaining = mnl_attr_get_payload_len(multipath);
    while (remaining >= sizeof(rtnexthop)) {
        rtnexthop hop;
        std::memcpy(&hop, cursor, sizeof hop);
        if (hop.rtnh_len < sizeof(rtnexthop) || hop.rtnh_len > remaining) {
            return;
        }
        AttributeTable<RTA_MAX + 1> table{};
        mnl_attr_parse_payload(cursor + RTNH_LENGTH(0), hop.rtnh_len - RTNH_LENGTH(0),
                               StoreAttribute<RTA_MAX + 1>, &table);
        if (auto gateway = Address(table[RTA_GATEWAY])) {
            gateways.push_back({static_cast<std::uint32_t>(hop.rtnh_ifindex), *gateway, metric});
        }
        const std::size_t step = std::min<std::size_t>(RTNH_ALIGN(hop.rtnh_len), remaining);
        cursor += step;
        remaining -= step;
    }
}

}  // namespace

std::optional<LinkRecord> ParseLinkMessage(NetlinkMessage message) {
    const nlmsghdr* header = WholeMessage(message, sizeof(ifinfomsg));
    if (header == nullptr || header->nlmsg_type != RTM_NEWLINK) {
        return std::nullopt;
    }
    const auto* info = static_cast<const ifinfomsg*>(mnl_nlmsg_get_payload(header));
    const auto found = Attributes<IFLA_MAX + 1>(header, sizeof(ifinfomsg));
    if (!found) {
        return {};
    }
    const auto& attributes = *found;
    LinkRecord link;
    link.index = static_cast<std::uint32_t>(info->ifi_index);
    link.hardwareType = info->ifi_type;
    link.flags = info->ifi_flags;
    link.name = Text(attributes[IFLA_IFNAME]);
    if (link.index == 0 || link.name.empty()) {
        return std::nullopt;
    }
    link.alias = Text(attributes[IFLA_IFALIAS]);
    link.hardwareAddress = HardwareAddress(attributes[IFLA_ADDRESS]);
    link.mtu = U32(attributes[IFLA_MTU]).value_or(0);
    link.operState = U8(attributes[IFLA_OPERSTATE]).value_or(IF_OPER_UNKNOWN);
    return link;
}

std::optional<AddressRecord> ParseAddressMessage(NetlinkMessage message) {
    const nlmsghdr* header = WholeMessage(message, sizeof(ifaddrmsg));
    if (header == nullptr || header->nlmsg_type != RTM_NEWADDR) {
        return std::nullopt;
    }
    const auto* info = static_cast<const ifaddrmsg*>(mnl_nlmsg_get_payload(header));
    if (info->ifa_family != AF_INET || info->ifa_prefixlen > 32) {
        return std::nullopt;
    }
    const auto found = Attributes<IFA_MAX + 1>(header, sizeof(ifaddrmsg));
    if (!found) {
        return {};
    }
    const auto& attributes = *found;
    // IFA_ADDRESS is the peer on point-to-point links; IFA_LOCAL is always our own.
    auto own = Address(attributes[IFA_LOCAL]);
    if (!own) {
        own = Address(attributes[IFA_ADDRESS]);
    }
    if (!own) {
        return std::nullopt;
    }
    AddressRecord record;
    record.index = info->ifa_index;
    record.address = {*own, MaskFromPrefix(info->ifa_prefixlen)};
    // The 8-bit header field cannot hold the newer flags; IFA_FLAGS carries them all.
    record.flags = U32(attributes[IFA_FLAGS]).value_or(info->ifa_flags);
    if (const nlattr* cache = attributes[IFA_CACHEINFO];
        cache != nullptr && mnl_attr_get_payload_len(cache) >= sizeof(ifa_cacheinfo)) {
        ifa_cacheinfo times;
        std::memcpy(&times, mnl_attr_get_payload(cache), sizeof times);
        record.validLifetime = times.ifa_valid;
        record.updatedAt = times.tstamp;
    }
    return record;
}

std::vector<DefaultGateway> ParseDefaultRouteMessage(NetlinkMessage message) {
    const nlmsghdr* header = WholeMessage(message, sizeof(rtmsg));
    if (header == nullptr || header->nlmsg_type != RTM_NEWROUTE) {
        return {};
    }
    const auto* route = static_cast<const rtmsg*>(mnl_nlmsg_get_payload(header));
    if (route->rtm_family != AF_INET || route->rtm_dst_len != 0 || route->rtm_type != RTN_UNICAST) {
        return {};
    }
    const auto found = Attributes<RTA_MAX + 1>(header, sizeof(rtmsg));
    if (!found) {
        return {};
    }
    const auto& attributes = *found;
    // Table numbers above 255 only fit the attribute.
    if (U32(attributes[RTA_TABLE]).value_or(route->rtm_table) != RT_TABLE_MAIN) {
        return {};
    }
    const std::uint32_t metric = U32(attributes[RTA_PRIORITY]).value_or(0);
    std::vector<DefaultGateway> gateways;
    if (auto gateway = Address(attributes[RTA_GATEWAY])) {
        if (auto interfaceIndex = U32(attributes[RTA_OIF])) {
            gateways.push_back({*interfaceIndex, *gateway, metric});
        }
    } else if (attributes[RTA_MULTIPATH] != nullptr) {
        AppendNextHops(attributes[RTA_MULTIPATH], metric, gateways);
    }
    return gateways;
}

std::uint32_t NeighbourTypeFromState(std::uint16_t state) {
    if (state & NUD_PERMANENT) {
        return MIB_IPNET_TYPE_STATIC;
    }
    if (state & NUD_NOARP) {
        return MIB_IPNET_TYPE_OTHER;
    }
    if (state & (NUD_REACHABLE | NUD_STALE | NUD_DELAY | NUD_PROBE)) {
        return MIB_IPNET_TYPE_DYNAMIC;
    }
    // Incomplete, failed and none: no usable mapping.
    return MIB_IPNET_TYPE_INVALID;
}

std::optional<NeighbourRow> ParseNeighbourMessage(NetlinkMessage message) {
    const nlmsghdr* header = WholeMessage(message, sizeof(ndmsg));
    if (header == nullptr || header->nlmsg_type != RTM_NEWNEIGH) {
        return std::nullopt;
    }
    const auto* neighbour = static_cast<const ndmsg*>(mnl_nlmsg_get_payload(header));
    if (neighbour->ndm_family != AF_INET) {
        return std::nullopt;
    }
    const auto found = Attributes<NDA_MAX + 1>(header, sizeof(ndmsg));
    if (!found) {
        return {};
    }
    const auto& attributes = *found;
    const auto destination = Address(attributes[NDA_DST]);
    if (!destination) {
        return std::nullopt;
    }
    NeighbourRow row;
    row.interfaceIndex = static_cast<std::uint32_t>(neighbour->ndm_ifindex);
    row.address = *destination;
    // Incomplete and failed entries carry no link-layer address: length 0.
    if (const nlattr* linkLayer = attributes[NDA_LLADDR]; linkLayer != nullptr) {
        row.hardwareAddress = PhysicalAddress(
            std::span(static_cast<const std::uint8_t*>(mnl_attr_get_payload(linkLayer)),
                      mnl_attr_get_payload_len(linkLayer)));
    }
    row.type = NeighbourTypeFromState(neighbour->ndm_state);
    return row;
}

}  // namespace platform::net::host
