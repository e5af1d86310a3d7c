// GetNetworkParams and GetIfEntry.
#include <gtest/gtest.h>
#include <iphlpapi.h>
#include <windows.h>

#include <string>
#include <vector>

#include "table_read.h"
#include "use_scenario.h"

namespace {

using net_test::ReadNetworkParams;
using net_test::TableRead;
using net_test::UseScenario;

std::vector<std::string> DnsServers(const FIXED_INFO& info) {
    std::vector<std::string> servers;
    for (const IP_ADDR_STRING* entry = &info.DnsServerList; entry; entry = entry->Next) {
        servers.emplace_back(entry->IpAddress.String);
    }
    return servers;
}

TEST(GetNetworkParams, SizeProtocolAndChainedServers) {
    UseScenario(R"({"host": {"hostName": "pocketpc", "domain": "example.net",
        "dnsServers": ["10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4"],
        "currentDnsServer": "10.0.0.3"}})");
    const TableRead read = ReadNetworkParams();
    EXPECT_EQ(read.probe, static_cast<DWORD>(ERROR_BUFFER_OVERFLOW));
    EXPECT_EQ(read.size, sizeof(FIXED_INFO) + 3 * sizeof(IP_ADDR_STRING));
    ASSERT_EQ(read.read, static_cast<DWORD>(NO_ERROR));
    std::vector<BYTE> buffer(read.size);
    ULONG shortSize = read.size - 1;
    EXPECT_EQ(GetNetworkParams(reinterpret_cast<PFIXED_INFO>(buffer.data()), &shortSize),
              static_cast<DWORD>(ERROR_BUFFER_OVERFLOW));
    EXPECT_EQ(shortSize, read.size);
    EXPECT_EQ(GetNetworkParams(nullptr, nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    const FIXED_INFO* info = read.As<FIXED_INFO>();
    EXPECT_STREQ(info->HostName, "pocketpc");
    EXPECT_STREQ(info->DomainName, "example.net");
    EXPECT_EQ(DnsServers(*info),
              (std::vector<std::string>{"10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4"}));
    // The current server is the third entry of the list itself.
    ASSERT_NE(info->CurrentDnsServer, nullptr);
    EXPECT_EQ(info->CurrentDnsServer, info->DnsServerList.Next->Next);
}

TEST(GetNetworkParams, CurrentServerOutsideTheListAndNoServers) {
    UseScenario(R"({"host": {"dnsServers": ["10.0.0.1"], "currentDnsServer": "10.9.9.9"}})");
    const TableRead outside = ReadNetworkParams();
    const FIXED_INFO* info = outside.As<FIXED_INFO>();
    ASSERT_NE(info->CurrentDnsServer, nullptr);
    EXPECT_STREQ(info->CurrentDnsServer->IpAddress.String, "10.9.9.9");
    EXPECT_EQ(DnsServers(*info), std::vector<std::string>{"10.0.0.1"});

    UseScenario("{}");
    const TableRead none = ReadNetworkParams();
    info = none.As<FIXED_INFO>();
    EXPECT_EQ(info->CurrentDnsServer, nullptr);
    EXPECT_EQ(DnsServers(*info), std::vector<std::string>{""});
    EXPECT_STREQ(info->HostName, "");
}

TEST(GetIfEntry, FillsTheRowOfTheIndexAndRefusesUnknownOnes) {
    UseScenario(R"({"adapters": [
        {"name": "eth0", "description": "Cradle", "index": 4, "mac": "00-11-22-33-44-55",
         "speed": 100000000, "mtu": 1400},
        {"name": "wlan0", "index": 5, "up": false}]})");
    MIB_IFROW row{};
    row.dwIndex = 4;
    row.dwInOctets = 77;  // whatever the caller left there is replaced.
    ASSERT_EQ(GetIfEntry(&row), static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(row.dwIndex, 4u);
    EXPECT_EQ(row.dwSpeed, 100000000u);
    EXPECT_EQ(row.dwMtu, 1400u);
    EXPECT_EQ(row.dwPhysAddrLen, 6u);
    EXPECT_EQ(row.bPhysAddr[5], 0x55);
    EXPECT_EQ(row.dwInOctets, 0u);
    EXPECT_EQ(std::u16string(row.wszName), u"eth0");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(row.bDescr)), "Cradle");
    EXPECT_EQ(row.dwDescrLen, 7u);
    EXPECT_EQ(row.dwAdminStatus, static_cast<DWORD>(MIB_IF_ADMIN_STATUS_UP));
    EXPECT_EQ(row.dwOperStatus, static_cast<DWORD>(MIB_IF_OPER_STATUS_OPERATIONAL));

    row.dwIndex = 5;
    ASSERT_EQ(GetIfEntry(&row), static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(row.dwSpeed, 0u);
    EXPECT_EQ(row.dwAdminStatus, static_cast<DWORD>(MIB_IF_ADMIN_STATUS_DOWN));

    row.dwIndex = 6;
    EXPECT_EQ(GetIfEntry(&row), static_cast<DWORD>(ERROR_INVALID_DATA));
    EXPECT_EQ(GetIfEntry(nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(GetIfEntry, LongNameKeepsSurrogatePairsWhole) {
    // 128 characters outside the basic plane: 256 UTF-16 units, one more than fit.
    std::string name;
    for (int i = 0; i < 128; ++i) {
        name += "\xf0\x9f\x93\xb6";  // U+1F4F6
    }
    UseScenario(R"({"adapters": [{"name": ")" + name + R"(", "index": 1}]})");
    MIB_IFROW row{};
    row.dwIndex = 1;
    ASSERT_EQ(GetIfEntry(&row), static_cast<DWORD>(NO_ERROR));
    const std::u16string wide(row.wszName);
    EXPECT_EQ(wide.size(), 254u);  // 127 whole pairs, not half of the 128th.
    EXPECT_EQ(wide.back(), 0xdcf6);
}

}  // namespace
