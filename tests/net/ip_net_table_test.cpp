// GetIpNetTable: the size protocol, the rows, and the order the sort flag asks for.
#include <gtest/gtest.h>
#include <iphlpapi.h>
#include <windows.h>

#include <string>
#include <vector>

#include "table_read.h"
#include "use_scenario.h"

namespace {

using net_test::UseScenario;

constexpr const char* kTable = R"({"arp": [
    {"interface": 2, "address": "192.168.1.10", "mac": "00-00-00-00-00-0a"},
    {"interface": 3, "address": "10.0.0.9", "type": "static"},
    {"interface": 2, "address": "10.0.0.10", "mac": "01-02-03-04-05-06-07-08", "type": 1},
    {"interface": 1, "address": "10.0.0.10", "type": "invalid"}]})";

std::vector<std::string> Rows(bool sorted) {
    const net_test::TableRead read = net_test::ReadArp(sorted);
    EXPECT_EQ(read.probe, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
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

TEST(GetIpNetTable, SizeProtocol) {
    UseScenario(kTable);
    ULONG size = 0;
    EXPECT_EQ(GetIpNetTable(nullptr, &size, TRUE), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(size, offsetof(MIB_IPNETTABLE, table) + 4 * sizeof(MIB_IPNETROW));
    std::vector<BYTE> buffer(size);
    ULONG shortSize = size - 1;
    EXPECT_EQ(GetIpNetTable(reinterpret_cast<PMIB_IPNETTABLE>(buffer.data()), &shortSize, TRUE),
              static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(shortSize, size);
    EXPECT_EQ(GetIpNetTable(nullptr, nullptr, TRUE), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    UseScenario("{}");
    size = 0;
    EXPECT_EQ(GetIpNetTable(nullptr, &size, TRUE), static_cast<DWORD>(ERROR_NO_DATA));
    EXPECT_EQ(size, 0u);
}

TEST(GetIpNetTable, SortingKeepsTheTableOrderOfRowsWithOneAddressAndInterface) {
    UseScenario(R"({"arp": [
        {"interface": 2, "address": "10.0.0.2", "type": "static"},
        {"interface": 2, "address": "10.0.0.1", "type": "other"},
        {"interface": 2, "address": "10.0.0.2", "type": "invalid"},
        {"interface": 2, "address": "10.0.0.2", "type": "dynamic"}]})");
    EXPECT_EQ(Rows(true),
              (std::vector<std::string>{"2 10.0.0.1 len0 type1", "2 10.0.0.2 len0 type4",
                                        "2 10.0.0.2 len0 type2", "2 10.0.0.2 len0 type3"}));
}

TEST(GetIpNetTable, RowsInTableOrderOrByAddress) {
    UseScenario(kTable);
    EXPECT_EQ(Rows(false),
              (std::vector<std::string>{"2 192.168.1.10 len6 type3", "3 10.0.0.9 len0 type4",
                                        "2 10.0.0.10 len8 type1", "1 10.0.0.10 len0 type2"}));
    // Numerically by address (10.0.0.9 before 10.0.0.10); one address on two
    // interfaces, lower interface first.
    EXPECT_EQ(Rows(true),
              (std::vector<std::string>{"3 10.0.0.9 len0 type4", "1 10.0.0.10 len0 type2",
                                        "2 10.0.0.10 len8 type1", "2 192.168.1.10 len6 type3"}));
}

}  // namespace
