// The readers of the host's resolver configuration, neighbour table and sysfs texts,
// as the system writes them, plus the damaged and unexpected ones.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <iprtrmib.h>

#include <string>
#include <vector>

#include "net/host/host_parameters.h"
#include "net/host/interface_sysfs.h"
#include "net/host/proc_net_arp.h"

namespace platform::net::host {
namespace {

std::vector<Ipv4> Addresses(std::initializer_list<const char*> dotted) {
    std::vector<Ipv4> addresses;
    for (const char* text : dotted) {
        addresses.push_back(inet_addr(text));
    }
    return addresses;
}

TEST(HostParameters, FromHostNameAndResolverFiles) {
    const std::string stub = "nameserver 127.0.0.53\noptions edns0 trust-ad\nsearch .\n";
    const struct {
        std::string hostName, resolver, upstream;
        const char *host, *domain;
        std::vector<Ipv4> servers;
    } rows[] = {
        // The last domain or search line wins; IPv6 servers and comments are left out.
        {"handheld",
         "# written by hand\ndomain first.example\nnameserver 192.0.2.1\nnameserver 2001:db8::1\n"
         "  nameserver\t192.0.2.2  \r\n; nameserver 192.0.2.99\nnameserver not-an-address\n"
         "search lab.example. other.example\noptions edns0",
         "", "handheld", "lab.example", Addresses({"192.0.2.1", "192.0.2.2"})},
        {"box.corp.example", "search lab.example\n", "", "box", "corp.example", {}},
        // The resolved stub stands for its upstream servers, unless it has none.
        {"h", stub, "nameserver 198.51.100.7\n", "h", "", Addresses({"198.51.100.7"})},
        {"h", stub, "", "h", "", Addresses({"127.0.0.53"})},
        // Another server next to the stub is taken as written.
        {"h", stub + "nameserver 192.0.2.1\n", "nameserver 9.9.9.9\n", "h", "",
         Addresses({"127.0.0.53", "192.0.2.1"})},
        {"", std::string("\0\xff garbage\n\n", 12), "", "", "", {}},
    };
    for (const auto& row : rows) {
        const auto parameters = ParametersFrom(row.hostName, row.resolver, row.upstream);
        EXPECT_EQ(parameters.hostName, row.host) << row.resolver;
        EXPECT_EQ(parameters.domainName, row.domain) << row.resolver;
        EXPECT_EQ(parameters.dnsServers, row.servers) << row.resolver;
        EXPECT_EQ(parameters.currentDnsServer,
                  row.servers.empty() ? std::nullopt : std::optional(row.servers.front()));
    }
}

TEST(ProcNetArp, RowsGetTypeByFlagsAndIndexByDevice) {
    const auto rows = ParseProcNetArp(
        "IP address       HW type     Flags       HW address            Mask     Device\n"
        "10.0.0.1         0x1         0x2         02:00:00:00:00:01     *        eth0\n"
        "10.0.0.2         0x1         0x6         02:00:00:00:00:02     *        eth0\n"
        "10.0.0.3         0x1         0x0         00:00:00:00:00:00     *        eth1\n"
        "10.0.0.4         0x1         0x2         02:00:00:00:00:04     *        gone0\n"
        "10.0.0.5         0x1         0x2         zz:00:00:00:00:05     *        eth0\n"
        "10.0.0.7         0x1         0x2         1:2:3:4:5:6:7:8:9     *        eth0\n"
        "10.0.0.6 0x1 0x2\n",
        [](const std::string& device) -> std::uint32_t {
            return device == "eth0" ? 2 : device == "eth1" ? 3 : 0;
        });
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].address, inet_addr("10.0.0.1"));
    EXPECT_EQ(rows[0].interfaceIndex, 2u);
    EXPECT_EQ(rows[0].type, static_cast<std::uint32_t>(MIB_IPNET_TYPE_DYNAMIC));
    EXPECT_EQ(rows[0].hardwareAddress, (std::vector<std::uint8_t>{2, 0, 0, 0, 0, 1}));
    EXPECT_EQ(rows[1].type, static_cast<std::uint32_t>(MIB_IPNET_TYPE_STATIC));
    EXPECT_EQ(rows[2].interfaceIndex, 3u);
    EXPECT_EQ(rows[2].type, static_cast<std::uint32_t>(MIB_IPNET_TYPE_INVALID));
    EXPECT_TRUE(rows[2].hardwareAddress.empty());
}

TEST(InterfaceSysfs, SpeedInBitsPerSecondSaturatesAndUnknownIsZero) {
    const std::pair<const char*, std::uint32_t> rows[] = {
        {"100\n", 100'000'000u},
        {"4294\n", 4'294'000'000u},
        {"4295\n", 0xFFFFFFFFu},
        {"100000\n", 0xFFFFFFFFu},
        {"-1\n", 0u},
        {"", 0u},
        {"fast", 0u},
    };
    for (const auto& [text, speed] : rows) {
        EXPECT_EQ(SpeedFromSysfsText(text), speed) << text;
    }
}

}  // namespace
}  // namespace platform::net::host
