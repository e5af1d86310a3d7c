// What the ARP page cannot see of its table: storage kept across reads, reused for a
// smaller table, and the view's bounds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arp/ArpTable.h"
#include "arp/ArpTexts.h"
#include "support/scenario_stager.h"

namespace tessalink::test {
namespace {

TEST(ArpTable, ASmallerTableLeavesNothingOfTheLargerOne) {
    StageScenario(R"({"arp": [{"interface": 2, "address": "10.0.0.1", "mac": "00-0a-95-9d-68-16"},
                              {"interface": 3, "address": "10.0.0.2", "mac": "01-02"}]})");
    ArpTable table;
    table.FilterByAdapter(std::nullopt);
    const ArpEntry* first = table.ViewAt(0);
    ASSERT_TRUE(table.Refresh());
    table.FilterByAdapter(std::nullopt);
    EXPECT_EQ(table.ViewAt(0), first) << "a table of the same size is read into the same storage";

    StageScenario(R"({"arp": [{"interface": 2, "address": "10.0.0.7", "mac": "aa"}]})");
    EXPECT_TRUE(table.Refresh());
    table.FilterByAdapter(std::nullopt);
    ASSERT_EQ(table.ViewCount(), 1);
    const ArpEntry& entry = *table.ViewAt(0);
    EXPECT_EQ(entry.ipAddress, Ipv4(10, 0, 0, 7));
    EXPECT_EQ(PhysicalAddressText(entry), u"aa");
    // The bytes past the length are zero, not what the earlier table's first row held.
    EXPECT_EQ(std::vector<BYTE>(std::begin(entry.physicalAddress), std::end(entry.physicalAddress)),
              (std::vector<BYTE>{0xaa, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(table.ViewAt(1), nullptr);
    EXPECT_EQ(table.ViewAt(-1), nullptr);
    table.FilterByAdapter(3);
    EXPECT_EQ(table.ViewCount(), 0);
    ClearScenario();
}

}  // namespace
}  // namespace tessalink::test
