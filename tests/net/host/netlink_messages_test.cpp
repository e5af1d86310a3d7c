// The netlink decoders, fed messages built byte by byte as the kernel lays them
// out, including damaged ones.

// First: <linux/if.h> leaves out what <net/if.h> has defined, but not the other way
// round, and one unit may hold this file and another that includes <net/if.h>.
#include <net/if.h>

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <iprtrmib.h>
#include <libmnl/libmnl.h>
#include <linux/if.h>
#include <linux/if_addr.h>
#include <linux/neighbour.h>
#include <linux/rtnetlink.h>

#include <cstring>
#include <numeric>
#include <vector>

#include "net/host/netlink_messages.h"

namespace platform::net::host {
namespace {

Ipv4 Dotted(const char* text) {
    return inet_addr(text);
}

// One message under construction, with the family header of its kind.
class MessageBuilder {
  public:
    MessageBuilder(std::uint16_t type, const void* familyHeader, std::size_t size) {
        header_ = mnl_nlmsg_put_header(buffer_.data());
        header_->nlmsg_type = type;
        std::memcpy(mnl_nlmsg_put_extra_header(header_, size), familyHeader, size);
    }
    template <typename Value>
    MessageBuilder& Put(std::uint16_t type, const Value& value) {
        mnl_attr_put(header_, type, sizeof value, &value);
        return *this;
    }
    MessageBuilder& U32(std::uint16_t type, std::uint32_t value) { return Put(type, value); }
    MessageBuilder& Address(std::uint16_t type, const char* text) {
        return Put(type, Dotted(text));
    }
    MessageBuilder& Text(std::uint16_t type, const char* text) {
        mnl_attr_put_strz(header_, type, text);
        return *this;
    }
    MessageBuilder& Bytes(std::uint16_t type, std::vector<std::uint8_t> bytes) {
        mnl_attr_put(header_, type, bytes.size(), bytes.data());
        return *this;
    }
    nlmsghdr* Header() { return header_; }
    NetlinkMessage Message() const {
        return {reinterpret_cast<const std::byte*>(buffer_.data()), header_->nlmsg_len};
    }

  private:
    std::vector<char> buffer_ = std::vector<char>(MNL_SOCKET_BUFFER_SIZE);
    nlmsghdr* header_ = nullptr;
};

MessageBuilder Neighbour(int ifindex, std::uint16_t state) {
    ndmsg neighbour{};
    neighbour.ndm_family = AF_INET;
    neighbour.ndm_ifindex = ifindex;
    neighbour.ndm_state = state;
    return MessageBuilder(RTM_NEWNEIGH, &neighbour, sizeof neighbour);
}

MessageBuilder Route(std::uint8_t dstLength, std::uint8_t table) {
    rtmsg route{};
    route.rtm_family = AF_INET;
    route.rtm_dst_len = dstLength;
    route.rtm_table = table;
    route.rtm_type = RTN_UNICAST;
    return MessageBuilder(RTM_NEWROUTE, &route, sizeof route);
}

// (A link's other fields, and an address's and a neighbour's, are checked against the
// kernel's own in the host backend's system tests.)
TEST(NetlinkMessages, ALongLinkAddressKeepsTheEightBytesARowHolds) {
    ifinfomsg info{};
    info.ifi_index = 7;
    MessageBuilder infiniband(RTM_NEWLINK, &info, sizeof info);
    infiniband.Text(IFLA_IFNAME, "ib0").Bytes(IFLA_ADDRESS, std::vector<std::uint8_t>(20, 0xAB));
    EXPECT_EQ(ParseLinkMessage(infiniband.Message())->hardwareAddress.size(), 8u);
}

TEST(NetlinkMessages, AddressPrefersLocalOverPeerAndTakesExtendedFlags) {
    ifaddrmsg info{};
    info.ifa_family = AF_INET;
    info.ifa_prefixlen = 20;
    info.ifa_index = 3;
    info.ifa_flags = IFA_F_SECONDARY;
    ifa_cacheinfo times{};
    times.ifa_valid = 600;
    times.tstamp = 12345;
    MessageBuilder address(RTM_NEWADDR, &info, sizeof info);
    address.Address(IFA_ADDRESS, "10.0.0.1")
        .Address(IFA_LOCAL, "10.0.0.2")
        .U32(IFA_FLAGS, IFA_F_SECONDARY | IFA_F_NOPREFIXROUTE)
        .Put(IFA_CACHEINFO, times);
    const auto record = ParseAddressMessage(address.Message());
    ASSERT_TRUE(record);
    EXPECT_EQ(record->index, 3u);
    EXPECT_EQ(record->address.address, Dotted("10.0.0.2"));
    EXPECT_EQ(record->address.mask, Dotted("255.255.240.0"));
    EXPECT_EQ(record->flags, static_cast<std::uint32_t>(IFA_F_SECONDARY | IFA_F_NOPREFIXROUTE));
    EXPECT_EQ(record->validLifetime, 600u);
    EXPECT_EQ(record->updatedAt, 12345u);

    info.ifa_family = AF_INET6;
    MessageBuilder six(RTM_NEWADDR, &info, sizeof info);
    six.Address(IFA_LOCAL, "10.0.0.2");
    EXPECT_FALSE(ParseAddressMessage(six.Message()));
}

TEST(NetlinkMessages, OnlyMainTableDefaultRoutesGiveGateways) {
    auto single = Route(0, RT_TABLE_MAIN);
    single.Address(RTA_GATEWAY, "10.0.0.1").U32(RTA_OIF, 4).U32(RTA_PRIORITY, 100);
    const auto gateways = ParseDefaultRouteMessage(single.Message());
    ASSERT_EQ(gateways.size(), 1u);
    EXPECT_EQ(gateways[0].interfaceIndex, 4u);
    EXPECT_EQ(gateways[0].address, Dotted("10.0.0.1"));
    EXPECT_EQ(gateways[0].metric, 100u);

    auto subnet = Route(24, RT_TABLE_MAIN);
    subnet.Address(RTA_GATEWAY, "10.0.0.1").U32(RTA_OIF, 4);
    EXPECT_TRUE(ParseDefaultRouteMessage(subnet.Message()).empty());
    auto otherTable = Route(0, RT_TABLE_MAIN);
    otherTable.Address(RTA_GATEWAY, "10.0.0.1").U32(RTA_OIF, 4).U32(RTA_TABLE, 1000);
    EXPECT_TRUE(ParseDefaultRouteMessage(otherTable.Message()).empty());

    // Two next hops, each with its own gateway and interface.
    auto multipath = Route(0, RT_TABLE_MAIN);
    nlattr* nest = mnl_attr_nest_start(multipath.Header(), RTA_MULTIPATH);
    for (auto [ifindex, gateway] : {std::pair{5, "10.5.0.1"}, std::pair{6, "10.6.0.1"}}) {
        auto* hop = static_cast<rtnexthop*>(mnl_nlmsg_get_payload_tail(multipath.Header()));
        multipath.Header()->nlmsg_len += MNL_ALIGN(sizeof(rtnexthop));
        *hop = rtnexthop{};
        hop->rtnh_ifindex = ifindex;
        multipath.Address(RTA_GATEWAY, gateway);
        hop->rtnh_len = static_cast<unsigned short>(
            static_cast<char*>(mnl_nlmsg_get_payload_tail(multipath.Header())) -
            reinterpret_cast<char*>(hop));
    }
    mnl_attr_nest_end(multipath.Header(), nest);
    const auto hops = ParseDefaultRouteMessage(multipath.Message());
    ASSERT_EQ(hops.size(), 2u);
    EXPECT_EQ(hops[0].interfaceIndex, 5u);
    EXPECT_EQ(hops[1].address, Dotted("10.6.0.1"));
}

TEST(NetlinkMessages, NeighbourTypeFollowsState) {
    // A neighbour on a link with 20-byte addresses keeps the first 8.
    auto infiniband = Neighbour(3, NUD_REACHABLE);
    std::vector<std::uint8_t> longAddress(20);
    std::iota(longAddress.begin(), longAddress.end(), std::uint8_t{1});
    infiniband.Address(NDA_DST, "10.0.0.11").Bytes(NDA_LLADDR, longAddress);
    EXPECT_EQ(ParseNeighbourMessage(infiniband.Message())->hardwareAddress,
              (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    // Permanent wins over no-ARP; each state of a resolved entry is dynamic.
    EXPECT_EQ(NeighbourTypeFromState(NUD_PERMANENT | NUD_NOARP),
              std::uint32_t{MIB_IPNET_TYPE_STATIC});
    EXPECT_EQ(NeighbourTypeFromState(NUD_NOARP), std::uint32_t{MIB_IPNET_TYPE_OTHER});
    for (const std::uint16_t state : {NUD_REACHABLE, NUD_STALE, NUD_DELAY, NUD_PROBE}) {
        EXPECT_EQ(NeighbourTypeFromState(state), std::uint32_t{MIB_IPNET_TYPE_DYNAMIC}) << state;
    }
    EXPECT_EQ(NeighbourTypeFromState(NUD_FAILED), std::uint32_t{MIB_IPNET_TYPE_INVALID});
}

TEST(NetlinkMessages, DamagedMessagesAreSkippedWhole) {
    auto neighbour = Neighbour(2, NUD_REACHABLE);
    neighbour.Address(NDA_DST, "10.0.0.9").Bytes(NDA_LLADDR, {2, 0, 0, 0, 0, 9});
    const NetlinkMessage whole = neighbour.Message();
    ASSERT_TRUE(ParseNeighbourMessage(whole));

    // The buffer ends before the length the header claims.
    EXPECT_FALSE(ParseNeighbourMessage(whole.first(whole.size() - 4)));
    // The header itself is cut.
    EXPECT_FALSE(ParseNeighbourMessage(whole.first(8)));
    // The header's length stops inside the last attribute.
    neighbour.Header()->nlmsg_len -= 4;
    EXPECT_FALSE(ParseNeighbourMessage(neighbour.Message()));
    // A message of another kind, or of another family, is not a neighbour.
    neighbour.Header()->nlmsg_len += 4;
    neighbour.Header()->nlmsg_type = RTM_NEWROUTE;
    EXPECT_FALSE(ParseNeighbourMessage(neighbour.Message()));
    auto six = Neighbour(2, NUD_REACHABLE);
    static_cast<ndmsg*>(mnl_nlmsg_get_payload(six.Header()))->ndm_family = AF_INET6;
    six.Address(NDA_DST, "10.0.0.9");
    EXPECT_FALSE(ParseNeighbourMessage(six.Message()));
    // An address of the wrong size is no address.
    auto odd = Neighbour(2, NUD_REACHABLE);
    odd.Bytes(NDA_DST, {10, 0, 0});
    EXPECT_FALSE(ParseNeighbourMessage(odd.Message()));
}

}  // namespace
}  // namespace platform::net::host
