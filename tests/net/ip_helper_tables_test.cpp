// The IP Helper's tables over a simulated network: the size protocol they share, the
// records GetAdaptersInfo chains inside the caller's buffer, and GetNetworkParams,
// GetIfEntry and GetIpNetTable as the program reads them.
#include <gtest/gtest.h>
#include <iphlpapi.h>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "support/scenario_stager.h"
#include "table_read.h"

namespace {

using net_test::TableRead;
using tessalink::test::StageScenario;

constexpr const char* kTablesNetwork = R"({
  "adapters": [
    {"name": "NE20001", "description": "NE2000 Ethernet", "index": 2, "mac": "00-0a-95-9d-68-16",
     "addresses": [{"address": "192.168.1.20", "mask": "255.255.255.0"},
                   {"address": "10.0.0.20", "mask": "255.0.0.0"},
                   {"address": "172.16.0.20", "mask": "255.255.0.0"}],
     "gateways": ["192.168.1.1", "192.168.1.254"],
     "dhcp": {"server": "192.168.1.1", "leaseObtained": "2026-12-05T08:00:00Z",
              "leaseExpires": "2026-12-06T08:00:00Z"},
     "wins": {"primary": "192.168.1.5"}},
    {"name": "WLAN1", "index": 3, "type": "wireless"}],
  "host": {"hostName": "pocketpc", "domain": "example.net",
           "dnsServers": ["10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4"],
           "currentDnsServer": "10.0.0.3"},
  "arp": [
    {"interface": 2, "address": "192.168.1.10", "mac": "00-00-00-00-00-0a"},
    {"interface": 3, "address": "10.0.0.9", "type": "static"},
    {"interface": 2, "address": "10.0.0.10", "mac": "01-02-03-04-05-06-07-08", "type": 1},
    {"interface": 1, "address": "10.0.0.10", "type": "invalid"},
    {"interface": 2, "address": "10.0.0.10", "type": "other"}]})";

// A size probe tells the size, a buffer one byte short is refused and left untouched,
// one of the size told is filled; an empty network has no table to give.
TEST(IpHelperTables, SizeProtocol) {
    using Query = std::function<DWORD(void*, PULONG)>;
    const struct {
        const char* name;
        Query query;
        DWORD tooSmall;
        ULONG size;
        DWORD empty;
    } rows[] = {
        {"GetAdaptersInfo",
         [](void* table, PULONG size) { return GetAdaptersInfo(PIP_ADAPTER_INFO(table), size); },
         ERROR_BUFFER_OVERFLOW,
         // Two records, and the address and gateway entries that do not fit in them.
         2 * sizeof(IP_ADAPTER_INFO) + 3 * sizeof(IP_ADDR_STRING), ERROR_NO_DATA},
        {"GetNetworkParams",
         [](void* table, PULONG size) { return GetNetworkParams(PFIXED_INFO(table), size); },
         ERROR_BUFFER_OVERFLOW, sizeof(FIXED_INFO) + 3 * sizeof(IP_ADDR_STRING),
         ERROR_BUFFER_OVERFLOW},
        {"GetIpNetTable",
         [](void* table, PULONG size) { return GetIpNetTable(PMIB_IPNETTABLE(table), size, TRUE); },
         ERROR_INSUFFICIENT_BUFFER, offsetof(MIB_IPNETTABLE, table) + 5 * sizeof(MIB_IPNETROW),
         ERROR_NO_DATA},
    };
    for (const auto& row : rows) {
        StageScenario(kTablesNetwork);
        ULONG needed = 0;
        EXPECT_EQ(row.query(nullptr, &needed), row.tooSmall) << row.name;
        EXPECT_EQ(needed, row.size) << row.name;
        std::vector<BYTE> buffer(needed);
        ULONG size = needed - 1;
        EXPECT_EQ(row.query(buffer.data(), &size), row.tooSmall) << row.name;
        EXPECT_EQ(size, needed) << row.name;
        EXPECT_EQ(buffer, std::vector<BYTE>(needed)) << row.name << ": a short buffer was written";
        EXPECT_EQ(row.query(buffer.data(), &size), static_cast<DWORD>(NO_ERROR)) << row.name;
        EXPECT_EQ(row.query(nullptr, nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER))
            << row.name;
        StageScenario("{}");
        size = 0;
        EXPECT_EQ(row.query(nullptr, &size), row.empty) << row.name;
    }
}

// "address/mask" of each entry of a chain, comma-separated; the entries past the head
// lie in the caller's buffer.
std::string Chain(const IP_ADDR_STRING& head, const TableRead& read) {
    std::string text;
    for (const IP_ADDR_STRING* entry = &head; entry; entry = entry->Next) {
        const auto* at = reinterpret_cast<const BYTE*>(entry);
        EXPECT_TRUE(entry == &head ||
                    (at >= read.buffer.data() && at < read.buffer.data() + read.buffer.size()));
        text += std::string(text.empty() ? "" : ",") + entry->IpAddress.String + "/" +
                entry->IpMask.String;
    }
    return text;
}

// The fields of a record the program reads, in one line.
std::string Describe(const IP_ADAPTER_INFO& info, const TableRead& read) {
    std::string mac;
    for (UINT i = 0; i < info.AddressLength; ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02x", info.Address[i]);
        mac += byte;
    }
    return std::string(info.AdapterName) + " '" + info.Description + "' " +
           std::to_string(info.Index) + " type" + std::to_string(info.Type) + " " + mac + " [" +
           Chain(info.IpAddressList, read) + "] gw[" + Chain(info.GatewayList, read) + "] dhcp" +
           std::to_string(info.DhcpEnabled) + " " + Chain(info.DhcpServer, read) + " " +
           std::to_string(info.LeaseObtained) + "-" + std::to_string(info.LeaseExpires) + " wins" +
           std::to_string(info.HaveWins) + " " + Chain(info.PrimaryWinsServer, read) + " " +
           Chain(info.SecondaryWinsServer, read);
}

TEST(GetAdaptersInfo, RecordsChainedInsideTheBufferWithTheFieldsTheProgramReads) {
    StageScenario(kTablesNetwork);
    const TableRead adapters = net_test::ReadAdapters();
    ASSERT_EQ(adapters.read, static_cast<DWORD>(NO_ERROR));
    const IP_ADAPTER_INFO* first = adapters.As<IP_ADAPTER_INFO>();
    ASSERT_EQ(first->Next, adapters.As<IP_ADAPTER_INFO>() + 1);
    EXPECT_EQ(first->Next->Next, nullptr);
    EXPECT_EQ(first->CurrentIpAddress, &first->IpAddressList);
    EXPECT_EQ(Describe(*first, adapters),
              "NE20001 'NE2000 Ethernet' 2 type6 000a959d6816 [192.168.1.20/255.255.255.0,"
              "10.0.0.20/255.0.0.0,172.16.0.20/255.255.0.0] gw[192.168.1.1/,192.168.1.254/] "
              "dhcp1 192.168.1.1/ 1796457600-1796544000 wins1 192.168.1.5/ /");
    // No address: one 0.0.0.0 entry, which the program's DHCP release waits for. No
    // gateway or server: an empty entry, which the program leaves out (0.0.0.0 would
    // be listed).
    EXPECT_EQ(Describe(*first->Next, adapters),
              "WLAN1 '' 3 type71  [0.0.0.0/0.0.0.0] gw[/] dhcp0 / 0-0 wins0 / /");
}

TEST(IpHelperTables, LongTextsAreCutOnCharacterBoundariesAndTerminated) {
    // 130 two-byte characters: 260 bytes, more than either field holds before its
    // terminator (AdapterName 259, Description 131), and each limit falls inside a
    // character; 128 characters outside the basic plane: 256 UTF-16 units, one more
    // than the interface row's name holds.
    std::string umlauts, signals;
    for (int i = 0; i < 130; ++i) {
        umlauts += "\xc3\xa4";
        signals += i < 128 ? "\xf0\x9f\x93\xb6" : "";  // U+1F4F6
    }
    StageScenario(R"({"adapters": [{"name": ")" + umlauts + R"(", "description": ")" + umlauts +
                  R"(", "index": 7, "mac": "01-02-03-04-05-06-07-08"},
                  {"name": ")" +
                  signals + R"(", "index": 1}]})");
    const TableRead adapters = net_test::ReadAdapters();
    ASSERT_EQ(adapters.read, static_cast<DWORD>(NO_ERROR));
    const IP_ADAPTER_INFO* info = adapters.As<IP_ADAPTER_INFO>();
    EXPECT_EQ(std::string(info->AdapterName), umlauts.substr(0, 258));
    EXPECT_EQ(std::string(info->Description), umlauts.substr(0, 130));
    EXPECT_EQ(info->Description[sizeof info->Description - 1], '\0');
    EXPECT_EQ(info->AddressLength, 8u);
    EXPECT_EQ(info->Address[7], 0x08);

    MIB_IFROW row{};
    row.dwIndex = 1;
    ASSERT_EQ(GetIfEntry(&row), static_cast<DWORD>(NO_ERROR));
    const std::u16string wide(row.wszName);
    EXPECT_EQ(wide.size(), 254u);  // 127 whole pairs, not half of the 128th.
    EXPECT_EQ(wide.back(), 0xdcf6);
}

// "host domain [servers] current" as the program reads them.
std::string NetworkParams() {
    const TableRead read = net_test::ReadNetworkParams();
    EXPECT_EQ(read.read, static_cast<DWORD>(NO_ERROR));
    const FIXED_INFO* info = read.As<FIXED_INFO>();
    std::string servers;
    for (const IP_ADDR_STRING* entry = &info->DnsServerList; entry; entry = entry->Next) {
        servers += std::string(servers.empty() ? "" : ",") + entry->IpAddress.String;
        // The current server is the list's own entry when it is listed.
        if (entry == info->CurrentDnsServer) {
            servers += "*";
        }
    }
    const bool outside = info->CurrentDnsServer && servers.find('*') == std::string::npos;
    return std::string(info->HostName) + " " + info->DomainName + " [" + servers + "] " +
           (outside ? info->CurrentDnsServer->IpAddress.String : "");
}

TEST(GetNetworkParams, NamesAndChainedServers) {
    StageScenario(kTablesNetwork);
    EXPECT_EQ(NetworkParams(), "pocketpc example.net [10.0.0.1,10.0.0.2,10.0.0.3*,10.0.0.4] ");
    StageScenario(R"({"host": {"dnsServers": ["10.0.0.1"], "currentDnsServer": "10.9.9.9"}})");
    EXPECT_EQ(NetworkParams(), "  [10.0.0.1] 10.9.9.9");
    StageScenario("{}");
    EXPECT_EQ(NetworkParams(), "  [] ");
}

// "index speed mtu mac-length last-mac-byte name 'description' description-length
// admin oper octets" of the interface row, or the error.
std::string IfEntry(DWORD index) {
    MIB_IFROW row{};
    row.dwIndex = index;
    row.dwInOctets = 77;  // whatever the caller left there is replaced.
    if (const DWORD error = GetIfEntry(&row); error != NO_ERROR) {
        return "error " + std::to_string(error);
    }
    const std::u16string name(row.wszName);
    return std::to_string(row.dwIndex) + " " + std::to_string(row.dwSpeed) + " " +
           std::to_string(row.dwMtu) + " " + std::to_string(row.dwPhysAddrLen) + " " +
           std::to_string(row.bPhysAddr[5]) + " " + std::string(name.begin(), name.end()) + " '" +
           reinterpret_cast<const char*>(row.bDescr) + "' " + std::to_string(row.dwDescrLen) + " " +
           std::to_string(row.dwAdminStatus) + " " + std::to_string(row.dwOperStatus) + " " +
           std::to_string(row.dwInOctets);
}

TEST(GetIfEntry, FillsTheRowOfTheIndexAndRefusesUnknownOnes) {
    StageScenario(R"({"adapters": [
        {"name": "eth0", "description": "Cradle", "index": 4, "mac": "00-11-22-33-44-55",
         "speed": 100000000, "mtu": 1400},
        {"name": "wlan0", "index": 5, "up": false}]})");
    EXPECT_EQ(IfEntry(4), "4 100000000 1400 6 85 eth0 'Cradle' 7 1 5 0");
    EXPECT_EQ(IfEntry(5), "5 0 1500 0 0 wlan0 '' 1 2 0 0");
    EXPECT_EQ(IfEntry(6), "error " + std::to_string(ERROR_INVALID_DATA));
    EXPECT_EQ(GetIfEntry(nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// "interface address length type" of each row, in the order read.
std::vector<std::string> ArpRows(bool sorted) {
    const TableRead read = net_test::ReadArp(sorted);
    EXPECT_EQ(read.read, static_cast<DWORD>(NO_ERROR));
    const MIB_IPNETTABLE* table = read.As<MIB_IPNETTABLE>();
    std::vector<std::string> rows;
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        const MIB_IPNETROW& row = table->table[i];
        const auto* a = reinterpret_cast<const BYTE*>(&row.dwAddr);
        rows.push_back(std::to_string(row.dwIndex) + " " + std::to_string(a[0]) + "." +
                       std::to_string(a[1]) + "." + std::to_string(a[2]) + "." +
                       std::to_string(a[3]) + " len" + std::to_string(row.dwPhysAddrLen) + " type" +
                       std::to_string(row.dwType));
    }
    return rows;
}

TEST(GetIpNetTable, RowsInTableOrderOrByAddress) {
    StageScenario(kTablesNetwork);
    EXPECT_EQ(ArpRows(false),
              (std::vector<std::string>{"2 192.168.1.10 len6 type3", "3 10.0.0.9 len0 type4",
                                        "2 10.0.0.10 len8 type1", "1 10.0.0.10 len0 type2",
                                        "2 10.0.0.10 len0 type1"}));
    // Numerically by address (10.0.0.9 before 10.0.0.10); one address on two
    // interfaces, lower interface first; rows of one address and interface in table
    // order.
    EXPECT_EQ(ArpRows(true),
              (std::vector<std::string>{"3 10.0.0.9 len0 type4", "1 10.0.0.10 len0 type2",
                                        "2 10.0.0.10 len8 type1", "2 10.0.0.10 len0 type1",
                                        "2 192.168.1.10 len6 type3"}));
}

}  // namespace
