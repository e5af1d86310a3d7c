// The readers of the forms in which the host's DHCP clients keep their leases: each
// text as the client writes it, or damaged, and the lease read from it (or none).
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <linux/if_addr.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "net/host/dhcp_lease.h"

namespace platform::net::host {
namespace {

constexpr std::int64_t kWritten = 1000;

struct Expected {
    const char* server;
    std::int64_t obtained;
    std::int64_t expires;
};

void ExpectLease(const std::optional<DhcpLease>& lease, const std::optional<Expected>& expected,
                 const std::string& input) {
    ASSERT_EQ(lease.has_value(), expected.has_value()) << input;
    if (expected) {
        EXPECT_EQ(lease->server, inet_addr(expected->server)) << input;
        EXPECT_EQ(lease->obtained, expected->obtained) << input;
        EXPECT_EQ(lease->expires, expected->expires) << input;
    }
}

std::string DhclientBlock(const std::string& interfaceName, const std::string& server,
                          const std::string& renew, const std::string& expire) {
    return "lease {\n  interface \"" + interfaceName +
           "\";\n  fixed-address 10.4.0.9;\n  option dhcp-lease-time 600;\n"
           "  option dhcp-server-identifier " +
           server + ";\n  renew " + renew + ";\n  expire " + expire + ";\n}\n";
}

TEST(LeaseParsers, TextLeases) {
    using Parser = std::function<std::optional<DhcpLease>(const std::string&)>;
    const Parser dhcpcd = [](const std::string& text) {
        return ParseDhcpcdVariables(text, kWritten);
    };
    const Parser networkd = [](const std::string& text) {
        return ParseNetworkdLease(text, kWritten);
    };
    const Parser dhclient = [](const std::string& text) {
        return ParseDhclientLeases(text, "eth0");
    };
    const std::string held =
        DhclientBlock("eth0", "10.4.0.1", "4 2026/12/03 10:05:00", "4 2026/12/03 10:10:00");
    // A release ends the lease at the moment it was given back, which is also its renewal.
    const std::string givenBack =
        DhclientBlock("eth0", "10.4.0.1", "4 2026/12/03 10:05:00", "4 2026/12/03 10:05:00");
    const std::string later =
        DhclientBlock("eth0", "10.4.0.2", "4 2026/12/03 11:00:00", "4 2026/12/03 11:10:00");
    const struct {
        const Parser& parse;
        std::string text;
        std::optional<Expected> lease;
    } rows[] = {
        {dhcpcd,
         "ip_address=10.50.0.110\nsubnet_mask=255.255.255.0\n"
         "dhcp_server_identifier='10.50.0.1'\ndhcp_lease_time=180\nrenewal_time=90\n",
         Expected{"10.50.0.1", kWritten, kWritten + 180}},
        {dhcpcd, "dhcp_server_identifier=10.50.0.1\ndhcp_lease_time=-5\n",
         Expected{"10.50.0.1", kWritten, 0}},
        {dhcpcd, "dhcpcd: no such interface\n", std::nullopt},
        {networkd,
         "# This is private data. Do not parse.\nADDRESS=10.0.2.15\nNETMASK=255.255.255.0\n"
         "ROUTER=10.0.2.2\nSERVER_ADDRESS=10.0.2.2\nT1=43200\nT2=75600\nLIFETIME=86400\n",
         Expected{"10.0.2.2", kWritten, kWritten + 86400}},
        // Without a lifetime the renewal times tell it: T2 is 7/8 of it, T1 half.
        {networkd, "ADDRESS=10.0.2.15\nT2=700\n", Expected{"0.0.0.0", kWritten, kWritten + 800}},
        {networkd, "ADDRESS=10.0.2.15\nT1=300\n", Expected{"0.0.0.0", kWritten, kWritten + 600}},
        {networkd, "ADDRESS=10.0.2.15\nLIFETIME=soon\n", Expected{"0.0.0.0", kWritten, 0}},
        // The longest lease DHCP can give is a time; one longer is no lease time at all.
        {networkd, "ADDRESS=10.0.2.15\nLIFETIME=4294967295\n",
         Expected{"0.0.0.0", kWritten, kWritten + 4294967295}},
        {networkd, "ADDRESS=10.0.2.15\nLIFETIME=4294967296\n", Expected{"0.0.0.0", kWritten, 0}},
        {networkd, "[Match]\nName=eth0\n", std::nullopt},
        {networkd, std::string(3000, '='), std::nullopt},
        // The last block for the interface is the lease; one cut off while appended is not.
        {dhclient,
         held + later +
             DhclientBlock("eth1", "10.4.0.3", "4 2026/12/03 12:00:00", "4 2026/12/03 12:10:00") +
             "lease {\n  interface \"eth0\";\n  fixed-address 10.4.0.10;\n",
         Expected{"10.4.0.2", 1796296200 - 600, 1796296200}},  // 2026-12-03 11:10:00 UTC
        {dhclient, DhclientBlock("eth1", "10.4.0.3", "never", "never"), std::nullopt},
        {dhclient, DhclientBlock("eth0", "10.4.0.4", "never", "never"), Expected{"10.4.0.4", 0, 0}},
        {dhclient, DhclientBlock("eth0", "10.4.0.4", "never", "4 2026/12/03 24:00:00"),
         Expected{"10.4.0.4", 0, 0}},
        {dhclient, held + givenBack, std::nullopt},
        {dhclient, held + givenBack + later, Expected{"10.4.0.2", 1796296200 - 600, 1796296200}},
        {dhclient, "lease {\n  interface \"eth0\";\n  expire 4 2026/13/03 10:10:00;\n}\n",
         std::nullopt},
    };
    for (const auto& row : rows) {
        ExpectLease(row.parse(row.text), row.lease, row.text);
    }
}

// A BOOTP reply as dhcpcd stores it: fixed fields, cookie, then options.
std::vector<std::uint8_t> DhcpReply(const std::vector<std::uint8_t>& options, std::uint8_t op = 2,
                                    std::uint8_t cookieStart = 99) {
    std::vector<std::uint8_t> packet(240);
    packet[0] = op;
    std::ranges::copy(std::array<std::uint8_t, 4>{cookieStart, 130, 83, 99}, packet.begin() + 236);
    // Appended byte by byte: GCC 12 misreads a range insert here as out of bounds.
    for (std::uint8_t byte : options) {
        packet.push_back(byte);
    }
    return packet;
}

TEST(LeaseParsers, DhcpcdPackets) {
    const struct {
        std::vector<std::uint8_t> packet;
        std::optional<Expected> lease;
    } rows[] = {
        // ACK, padding, server id, 3600 s.
        {DhcpReply({53, 1, 5, 0, 0, 54, 4, 10, 50, 0, 1, 51, 4, 0, 0, 0x0E, 0x10, 255}),
         Expected{"10.50.0.1", kWritten, kWritten + 3600}},
        // An option running past the end stops the walk; the ones before it count.
        {DhcpReply({54, 4, 10, 50, 0, 1, 51, 4, 0, 0}), Expected{"10.50.0.1", kWritten, 0}},
        // A server id of the wrong size is ignored rather than half read.
        {DhcpReply({54, 2, 10, 50, 255}), Expected{"0.0.0.0", kWritten, 0}},
        {DhcpReply({255}, 1), std::nullopt},
        {DhcpReply({255}, 2, 0), std::nullopt},
        {std::vector<std::uint8_t>(100, 2), std::nullopt},
        {{}, std::nullopt},
    };
    for (const auto& row : rows) {
        ExpectLease(ParseDhcpcdLease(row.packet, kWritten), row.lease,
                    std::to_string(row.packet.size()) + " bytes");
    }
}

TEST(LeaseParsers, OnlyDynamicAddressesImplyALease) {
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
    ExpectLease(LeaseFromAddressLifetime(address, 10'000, 0x100 + 300),
                Expected{"0.0.0.0", 10'000 - 8, 10'300}, "dynamic");
}

}  // namespace
}  // namespace platform::net::host
