// The readers of the host's configuration and state files, on texts written the
// way the system writes them, plus the damaged and unexpected ones.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <iprtrmib.h>
#include <linux/if_addr.h>

#include <algorithm>
#include <array>

#include "net/host/dhcp_lease.h"
#include "net/host/host_parameters.h"
#include "net/host/interface_sysfs.h"
#include "net/host/proc_net_arp.h"

namespace platform::net::host {
namespace {

Ipv4 Dotted(const char* text) {
    return inet_addr(text);
}

TEST(HostParameters, ResolverLinesLastDomainWinsAndIpv6ServersAreLeftOut) {
    const auto parameters = ParametersFrom("handheld",
                                           "# written by hand\n"
                                           "domain first.example\n"
                                           "nameserver 192.0.2.1\n"
                                           "nameserver 2001:db8::1\n"
                                           "  nameserver\t192.0.2.2  \r\n"
                                           "; nameserver 192.0.2.99\n"
                                           "nameserver not-an-address\n"
                                           "search lab.example. other.example\n"
                                           "options edns0",
                                           "");
    EXPECT_EQ(parameters.hostName, "handheld");
    EXPECT_EQ(parameters.domainName, "lab.example");
    EXPECT_EQ(parameters.dnsServers, (std::vector<Ipv4>{Dotted("192.0.2.1"), Dotted("192.0.2.2")}));
    EXPECT_EQ(parameters.currentDnsServer, Dotted("192.0.2.1"));
}

TEST(HostParameters, FullyQualifiedHostNameGivesTheDomain) {
    const auto parameters = ParametersFrom("box.corp.example", "search lab.example\n", "");
    EXPECT_EQ(parameters.hostName, "box");
    EXPECT_EQ(parameters.domainName, "corp.example");
}

TEST(HostParameters, ResolvedStubIsReplacedByItsUpstreamServers) {
    const std::string stub = "nameserver 127.0.0.53\noptions edns0 trust-ad\nsearch .\n";
    const auto upstream = ParametersFrom("h", stub, "nameserver 198.51.100.7\n");
    EXPECT_EQ(upstream.dnsServers, std::vector<Ipv4>{Dotted("198.51.100.7")});
    EXPECT_EQ(upstream.domainName, "");
    // Without an upstream list the stub is still the truth.
    const auto stubOnly = ParametersFrom("h", stub, "");
    EXPECT_EQ(stubOnly.dnsServers, std::vector<Ipv4>{Dotted("127.0.0.53")});
    // Another local server next to the stub is taken as written.
    const auto mixed = ParametersFrom("h", stub + "nameserver 192.0.2.1\n", "nameserver 9.9.9.9\n");
    EXPECT_EQ(mixed.dnsServers.size(), 2u);
}

TEST(HostParameters, NothingReadableGivesEmptyFields) {
    const auto parameters = ParametersFrom("", std::string("\0\xff garbage\n\n", 12), "");
    EXPECT_EQ(parameters.hostName, "");
    EXPECT_EQ(parameters.domainName, "");
    EXPECT_TRUE(parameters.dnsServers.empty());
    EXPECT_FALSE(parameters.currentDnsServer);
}

// A BOOTP reply as dhcpcd stores it: fixed fields, cookie, then options.
std::vector<std::uint8_t> DhcpReply(std::vector<std::uint8_t> options) {
    std::array<std::uint8_t, 240> fixed{};
    fixed[0] = 2;
    std::ranges::copy(std::array<std::uint8_t, 4>{99, 130, 83, 99}, fixed.begin() + 236);
    std::vector<std::uint8_t> packet(fixed.begin(), fixed.end());
    // Appended byte by byte: GCC 12 misreads a range insert here as out of bounds.
    for (std::uint8_t byte : options) {
        packet.push_back(byte);
    }
    return packet;
}

TEST(DhcpcdLease, ServerAndLeaseTimeComeFromTheOptions) {
    const auto lease = ParseDhcpcdLease(DhcpReply({53, 1, 5,                 // ACK
                                                   0, 0,                     // padding
                                                   54, 4, 10, 50, 0, 1,      // server id
                                                   51, 4, 0, 0, 0x0E, 0x10,  // 3600 s
                                                   255}),
                                        1'700'000'000);
    ASSERT_TRUE(lease);
    EXPECT_EQ(lease->server, Dotted("10.50.0.1"));
    EXPECT_EQ(lease->obtained, 1'700'000'000);
    EXPECT_EQ(lease->expires, 1'700'003'600);
}

TEST(DhcpcdLease, DamagedPacketsGiveWhatTheyHoldOrNothing) {
    // An option running past the end stops the walk; the ones before it count.
    const auto cut = ParseDhcpcdLease(DhcpReply({54, 4, 10, 50, 0, 1, 51, 4, 0, 0}), 100);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->server, Dotted("10.50.0.1"));
    EXPECT_EQ(cut->expires, 0);
    // A server id of the wrong size is ignored rather than half read.
    EXPECT_EQ(ParseDhcpcdLease(DhcpReply({54, 2, 10, 50, 255}), 100)->server, 0u);

    auto request = DhcpReply({255});
    request[0] = 1;
    EXPECT_FALSE(ParseDhcpcdLease(request, 100));
    auto noCookie = DhcpReply({255});
    noCookie[236] = 0;
    EXPECT_FALSE(ParseDhcpcdLease(noCookie, 100));
    EXPECT_FALSE(ParseDhcpcdLease(std::vector<std::uint8_t>(100, 2), 100));
    EXPECT_FALSE(ParseDhcpcdLease({}, 100));
}

TEST(DhcpcdLease, DaemonOutputVariables) {
    const auto lease = ParseDhcpcdVariables(
        "ip_address=10.50.0.110\nsubnet_mask=255.255.255.0\n"
        "dhcp_server_identifier='10.50.0.1'\ndhcp_lease_time=180\nrenewal_time=90\n",
        5000);
    ASSERT_TRUE(lease);
    EXPECT_EQ(lease->server, Dotted("10.50.0.1"));
    EXPECT_EQ(lease->expires, 5180);
    EXPECT_FALSE(ParseDhcpcdVariables("dhcpcd: no such interface\n", 5000));
    EXPECT_EQ(ParseDhcpcdVariables("dhcp_server_identifier=10.50.0.1\ndhcp_lease_time=-5\n", 5000)
                  ->expires,
              0);
}

TEST(NetworkdLease, KeysGiveServerAndLifetime) {
    const auto lease = ParseNetworkdLease(
        "# This is private data. Do not parse.\nADDRESS=10.0.2.15\nNETMASK=255.255.255.0\n"
        "ROUTER=10.0.2.2\nSERVER_ADDRESS=10.0.2.2\nT1=43200\nT2=75600\nLIFETIME=86400\n",
        1000);
    ASSERT_TRUE(lease);
    EXPECT_EQ(lease->server, Dotted("10.0.2.2"));
    EXPECT_EQ(lease->obtained, 1000);
    EXPECT_EQ(lease->expires, 1000 + 86400);
}

TEST(NetworkdLease, MissingLifetimeFallsBackToRenewalTimes) {
    EXPECT_EQ(ParseNetworkdLease("ADDRESS=10.0.2.15\nT2=700\n", 0)->expires, 800);
    EXPECT_EQ(ParseNetworkdLease("ADDRESS=10.0.2.15\nT1=300\n", 0)->expires, 600);
    const auto unknown = ParseNetworkdLease("ADDRESS=10.0.2.15\nLIFETIME=soon\n", 0);
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->server, 0u);
    EXPECT_EQ(unknown->expires, 0);
    // Not a lease at all.
    EXPECT_FALSE(ParseNetworkdLease("[Match]\nName=eth0\n", 0));
    EXPECT_FALSE(ParseNetworkdLease(std::string(3000, '='), 0));
}

TEST(AddressLifetimeLease, OnlyDynamicAddressesImplyALease) {
    AddressRecord address;
    address.flags = IFA_F_PERMANENT;
    address.validLifetime = 300;
    EXPECT_FALSE(LeaseFromAddressLifetime(address, 10'000, 0));
    address.flags = 0;
    address.validLifetime = 0xFFFFFFFF;
    EXPECT_FALSE(LeaseFromAddressLifetime(address, 10'000, 0));

    // Set 8 s ago across the wrap of the 32-bit stamp: obtained then, expires when
    // the remaining lifetime runs out.
    address.validLifetime = 300;
    address.updatedAt = 0xFFFFFF00;
    const auto lease = LeaseFromAddressLifetime(address, 10'000, 0x100 + 300);
    ASSERT_TRUE(lease);
    EXPECT_EQ(lease->server, 0u);
    EXPECT_EQ(lease->obtained, 10'000 - 8);
    EXPECT_EQ(lease->expires, 10'300);
}

TEST(ProcNetArp, RowsGetTypeByFlagsAndIndexByDevice) {
    const auto rows = ParseProcNetArp(
        "IP address       HW type     Flags       HW address            Mask     Device\n"
        "10.0.0.1         0x1         0x2         02:00:00:00:00:01     *        eth0\n"
        "10.0.0.2         0x1         0x6         02:00:00:00:00:02     *        eth0\n"
        "10.0.0.3         0x1         0x0         00:00:00:00:00:00     *        eth1\n"
        "10.0.0.4         0x1         0x2         02:00:00:00:00:04     *        gone0\n"
        "10.0.0.5         0x1         0x2         zz:00:00:00:00:05     *        eth0\n"
        "10.0.0.6 0x1 0x2\n",
        [](const std::string& device) -> std::uint32_t {
            return device == "eth0" ? 2 : device == "eth1" ? 3 : 0;
        });
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].address, Dotted("10.0.0.1"));
    EXPECT_EQ(rows[0].type, static_cast<std::uint32_t>(MIB_IPNET_TYPE_DYNAMIC));
    EXPECT_EQ(rows[0].hardwareAddress, (std::vector<std::uint8_t>{2, 0, 0, 0, 0, 1}));
    EXPECT_EQ(rows[1].type, static_cast<std::uint32_t>(MIB_IPNET_TYPE_STATIC));
    EXPECT_EQ(rows[2].interfaceIndex, 3u);
    EXPECT_EQ(rows[2].type, static_cast<std::uint32_t>(MIB_IPNET_TYPE_INVALID));
    EXPECT_TRUE(rows[2].hardwareAddress.empty());
}

TEST(InterfaceSysfs, SpeedInBitsPerSecondSaturatesAndUnknownIsZero) {
    EXPECT_EQ(SpeedFromSysfsText("100\n"), 100'000'000u);
    EXPECT_EQ(SpeedFromSysfsText("4294\n"), 4'294'000'000u);
    EXPECT_EQ(SpeedFromSysfsText("4295\n"), 0xFFFFFFFFu);
    EXPECT_EQ(SpeedFromSysfsText("100000\n"), 0xFFFFFFFFu);
    EXPECT_EQ(SpeedFromSysfsText("-1\n"), 0u);
    EXPECT_EQ(SpeedFromSysfsText(""), 0u);
    EXPECT_EQ(SpeedFromSysfsText("fast"), 0u);
}

}  // namespace
}  // namespace platform::net::host
