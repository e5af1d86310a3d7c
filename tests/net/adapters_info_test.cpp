// GetAdaptersInfo: the size protocol, the records chained inside the caller's buffer,
// and the texts as the program reads them.
#include <gtest/gtest.h>
#include <iphlpapi.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "table_read.h"
#include "use_scenario.h"

namespace {

using net_test::ReadAdapters;
using net_test::TableRead;
using net_test::UseScenario;

constexpr const char* kTwoAdapters = R"({
  "adapters": [
    {"name": "NE20001", "description": "NE2000 Ethernet", "index": 2, "mac": "00-0a-95-9d-68-16",
     "addresses": [{"address": "192.168.1.20", "mask": "255.255.255.0"},
                   {"address": "10.0.0.20", "mask": "255.0.0.0"},
                   {"address": "172.16.0.20", "mask": "255.255.0.0"}],
     "gateways": ["192.168.1.1", "192.168.1.254"],
     "dhcp": {"server": "192.168.1.1", "leaseObtained": "2026-12-05T08:00:00Z",
              "leaseExpires": "2026-12-06T08:00:00Z"},
     "wins": {"primary": "192.168.1.5"}},
    {"name": "WLAN1", "description": "Wireless", "index": 3, "type": "wireless"}
  ]})";

bool InBuffer(const void* pointer, const std::vector<BYTE>& buffer) {
    const auto* byte = static_cast<const BYTE*>(pointer);
    return byte >= buffer.data() && byte < buffer.data() + buffer.size();
}

TEST(GetAdaptersInfo, SizeProbeExactSizeAndOneByteShort) {
    UseScenario(kTwoAdapters);
    ULONG needed = 0;
    EXPECT_EQ(GetAdaptersInfo(nullptr, &needed), static_cast<DWORD>(ERROR_BUFFER_OVERFLOW));
    // Two records, and the address and gateway entries that do not fit in them.
    EXPECT_EQ(needed, 2 * sizeof(IP_ADAPTER_INFO) + 3 * sizeof(IP_ADDR_STRING));

    std::vector<BYTE> buffer(needed);
    ULONG size = needed - 1;
    EXPECT_EQ(GetAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data()), &size),
              static_cast<DWORD>(ERROR_BUFFER_OVERFLOW));
    EXPECT_EQ(size, needed);
    EXPECT_EQ(buffer, std::vector<BYTE>(needed)) << "a short buffer must stay untouched";

    EXPECT_EQ(GetAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data()), &size),
              static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(GetAdaptersInfo(nullptr, nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(GetAdaptersInfo, NoAdaptersIsNoData) {
    UseScenario("{}");
    ULONG size = 0;
    EXPECT_EQ(GetAdaptersInfo(nullptr, &size), static_cast<DWORD>(ERROR_NO_DATA));
}

TEST(GetAdaptersInfo, RecordsAndEntriesAreChainedInsideTheBuffer) {
    UseScenario(kTwoAdapters);
    const TableRead adapters = ReadAdapters();
    ASSERT_EQ(adapters.read, static_cast<DWORD>(NO_ERROR));
    const IP_ADAPTER_INFO* first = adapters.As<IP_ADAPTER_INFO>();

    ASSERT_TRUE(InBuffer(first->Next, adapters.buffer));
    EXPECT_EQ(first->Next->Next, nullptr);
    EXPECT_STREQ(first->Next->AdapterName, "WLAN1");
    EXPECT_EQ(first->CurrentIpAddress, &first->IpAddressList);

    std::vector<std::string> addresses;
    for (const IP_ADDR_STRING* entry = &first->IpAddressList; entry; entry = entry->Next) {
        if (entry != &first->IpAddressList) {
            // Extra entries follow the adapter records, never overlap them.
            EXPECT_TRUE(InBuffer(entry, adapters.buffer));
            EXPECT_GE(reinterpret_cast<const BYTE*>(entry),
                      adapters.buffer.data() + 2 * sizeof(IP_ADAPTER_INFO));
        }
        addresses.push_back(std::string(entry->IpAddress.String) + "/" + entry->IpMask.String);
    }
    EXPECT_EQ(addresses,
              (std::vector<std::string>{"192.168.1.20/255.255.255.0", "10.0.0.20/255.0.0.0",
                                        "172.16.0.20/255.255.0.0"}));
    ASSERT_TRUE(InBuffer(first->GatewayList.Next, adapters.buffer));
    EXPECT_STREQ(first->GatewayList.IpAddress.String, "192.168.1.1");
    EXPECT_STREQ(first->GatewayList.Next->IpAddress.String, "192.168.1.254");
    EXPECT_EQ(first->GatewayList.Next->Next, nullptr);
}

TEST(GetAdaptersInfo, FieldsAsTheProgramReadsThem) {
    UseScenario(kTwoAdapters);
    const TableRead adapters = ReadAdapters();
    ASSERT_EQ(adapters.read, static_cast<DWORD>(NO_ERROR));
    const IP_ADAPTER_INFO* first = adapters.As<IP_ADAPTER_INFO>();

    EXPECT_STREQ(first->Description, "NE2000 Ethernet");
    EXPECT_EQ(first->Index, 2u);
    EXPECT_EQ(first->Type, static_cast<UINT>(MIB_IF_TYPE_ETHERNET));
    EXPECT_EQ(first->AddressLength, 6u);
    const BYTE mac[] = {0x00, 0x0a, 0x95, 0x9d, 0x68, 0x16};
    EXPECT_EQ(std::memcmp(first->Address, mac, sizeof mac), 0);
    EXPECT_TRUE(first->DhcpEnabled);
    EXPECT_STREQ(first->DhcpServer.IpAddress.String, "192.168.1.1");
    EXPECT_EQ(first->LeaseObtained, 1796457600);  // 2026-12-05T08:00:00Z
    EXPECT_EQ(first->LeaseExpires, 1796457600 + 86400);
    EXPECT_TRUE(first->HaveWins);
    EXPECT_STREQ(first->PrimaryWinsServer.IpAddress.String, "192.168.1.5");
    EXPECT_STREQ(first->SecondaryWinsServer.IpAddress.String, "");

    // No address: one 0.0.0.0 entry, which the program's DHCP release waits for. No
    // gateway: an empty entry, which the program leaves out (0.0.0.0 would be listed).
    const IP_ADAPTER_INFO* wireless = first->Next;
    EXPECT_STREQ(wireless->IpAddressList.IpAddress.String, "0.0.0.0");
    EXPECT_STREQ(wireless->IpAddressList.IpMask.String, "0.0.0.0");
    EXPECT_EQ(wireless->IpAddressList.Next, nullptr);
    EXPECT_EQ(wireless->CurrentIpAddress, &wireless->IpAddressList);
    const IP_ADDR_STRING empty{};
    EXPECT_EQ(std::memcmp(&wireless->GatewayList, &empty, sizeof empty), 0);
    EXPECT_FALSE(wireless->DhcpEnabled);
    EXPECT_STREQ(wireless->DhcpServer.IpAddress.String, "");
    EXPECT_EQ(wireless->AddressLength, 0u);
    EXPECT_EQ(wireless->Type, static_cast<UINT>(IF_TYPE_IEEE80211));
}

TEST(GetAdaptersInfo, LongTextsAreCutOnCharacterBoundariesAndTerminated) {
    // 130 two-byte characters: 260 bytes, more than either field holds before its
    // terminator (AdapterName 259, Description 131), and each limit falls inside a
    // character.
    std::string umlauts;
    for (int i = 0; i < 130; ++i) {
        umlauts += "\xc3\xa4";
    }
    UseScenario(R"({"adapters": [{"name": ")" + umlauts + R"(", "description": ")" + umlauts +
                R"(", "index": 7, "mac": "01-02-03-04-05-06-07-08"}]})");
    const TableRead adapters = ReadAdapters();
    ASSERT_EQ(adapters.read, static_cast<DWORD>(NO_ERROR));
    const IP_ADAPTER_INFO* info = adapters.As<IP_ADAPTER_INFO>();

    EXPECT_EQ(std::string(info->AdapterName), umlauts.substr(0, 258));
    EXPECT_EQ(std::string(info->Description), umlauts.substr(0, 130));
    EXPECT_EQ(info->Description[sizeof info->Description - 1], '\0');
    EXPECT_EQ(info->AddressLength, 8u);
    EXPECT_EQ(info->Address[7], 0x08);
}

}  // namespace
