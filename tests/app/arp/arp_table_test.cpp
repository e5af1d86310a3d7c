#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SimulatedDevice.h"
#include "arp/ArpTable.h"
#include "arp/ArpTexts.h"
#include "arp/ArpTypeName.h"
#include "common/IpAddressText.h"

namespace {

using app_test::Ipv4;
using app_test::Neighbour;
using platform::net::sim::QueryFailure;
using platform::net::sim::Scenario;
using platform::net::sim::SimQuery;

class ArpTableTest : public ::testing::Test {
  protected:
    void TearDown() override { app_test::Uninstall(); }

    // Rows of two adapters, interleaved and in address order, so that the order the
    // library sorts them in is the order written here.
    static Scenario TwoAdapters() {
        Scenario scenario;
        scenario.neighbours = {
            Neighbour(2, Ipv4(10, 0, 0, 1), 3, {0x00, 0x0a, 0x95, 0x9d, 0x68, 0x16}),
            Neighbour(3, Ipv4(10, 0, 0, 2), 4, {0xde, 0xad, 0xbe, 0xef, 0x00, 0x01}),
            Neighbour(2, Ipv4(10, 0, 0, 3), 1, {}),
            Neighbour(3, Ipv4(10, 0, 0, 4), 2, {1, 2, 3, 4, 5, 6, 7, 8}),
            Neighbour(2, Ipv4(10, 0, 0, 5), 3, {0xff, 0xff, 0xff, 0xff, 0xff, 0xff}),
        };
        return scenario;
    }

    static std::vector<DWORD> ViewAddresses(const ArpTable& table) {
        std::vector<DWORD> addresses;
        for (int i = 0; i < table.ViewCount(); ++i) {
            addresses.push_back(table.ViewAt(i)->ipAddress);
        }
        return addresses;
    }
};

TEST_F(ArpTableTest, ViewHoldsTheRowsOfOneAdapterInTableOrder) {
    app_test::Install(TwoAdapters());
    ArpTable table;
    EXPECT_EQ(table.ViewCount(), 0);

    table.FilterByAdapter(2);
    EXPECT_EQ(ViewAddresses(table),
              (std::vector<DWORD>{Ipv4(10, 0, 0, 1), Ipv4(10, 0, 0, 3), Ipv4(10, 0, 0, 5)}));
    table.FilterByAdapter(3);
    EXPECT_EQ(ViewAddresses(table), (std::vector<DWORD>{Ipv4(10, 0, 0, 2), Ipv4(10, 0, 0, 4)}));
    table.FilterByAdapter(std::nullopt);
    EXPECT_EQ(ViewAddresses(table),
              (std::vector<DWORD>{Ipv4(10, 0, 0, 1), Ipv4(10, 0, 0, 2), Ipv4(10, 0, 0, 3),
                                  Ipv4(10, 0, 0, 4), Ipv4(10, 0, 0, 5)}));
    table.FilterByAdapter(99);
    EXPECT_EQ(table.ViewCount(), 0);
    EXPECT_EQ(table.ViewAt(0), nullptr);
    EXPECT_EQ(table.ViewAt(-1), nullptr);
}

TEST_F(ArpTableTest, RowsKeepTheirFieldsAndShowAsText) {
    app_test::Install(TwoAdapters());
    ArpTable table;
    table.FilterByAdapter(std::nullopt);
    ASSERT_EQ(table.ViewCount(), 5);

    const ArpEntry& dynamic = *table.ViewAt(0);
    EXPECT_EQ(dynamic.interfaceIndex, 2u);
    EXPECT_EQ(dynamic.physicalAddressLength, 6u);
    EXPECT_EQ(PhysicalAddressText(dynamic), u"00-0a-95-9d-68-16");
    EXPECT_EQ(std::u16string(ArpTypeName(dynamic.type)), u"Dynamic");
    EXPECT_EQ(std::u16string(ArpTypeName(table.ViewAt(1)->type)), u"Static");

    const ArpEntry& withoutAddress = *table.ViewAt(2);
    EXPECT_EQ(withoutAddress.physicalAddressLength, 0u);
    EXPECT_EQ(PhysicalAddressText(withoutAddress), u"");
    EXPECT_EQ(std::u16string(ArpTypeName(withoutAddress.type)), u"Other");

    const ArpEntry& eightBytes = *table.ViewAt(3);
    EXPECT_EQ(PhysicalAddressText(eightBytes), u"01-02-03-04-05-06-07-08");
    EXPECT_EQ(std::u16string(ArpTypeName(eightBytes.type)), u"Invalid");

    for (DWORD unknown : {0u, 5u, 0xffffffffu}) {
        EXPECT_EQ(std::u16string(ArpTypeName(unknown)), u"Unknown") << unknown;
    }
}

TEST_F(ArpTableTest, EmptyOrFailedReadsLeaveEveryViewEmpty) {
    Scenario failing = TwoAdapters();
    failing.failures.push_back(QueryFailure{SimQuery::Neighbours, ERROR_GEN_FAILURE, 2});
    app_test::Install(failing);
    ArpTable table;
    table.FilterByAdapter(std::nullopt);
    EXPECT_EQ(table.ViewCount(), 0);

    // The next read succeeds, and a read of an empty table empties the table again.
    EXPECT_TRUE(table.Refresh());
    table.FilterByAdapter(std::nullopt);
    EXPECT_EQ(table.ViewCount(), 5);
    app_test::Install(Scenario{});
    EXPECT_FALSE(table.Refresh());
    for (std::optional<DWORD> adapter : {std::optional<DWORD>(), std::optional<DWORD>(2)}) {
        table.FilterByAdapter(adapter);
        EXPECT_EQ(table.ViewCount(), 0);
    }
}

TEST_F(ArpTableTest, TableThatGrewSinceTheSizeProbeIsReadNextTime) {
    Scenario growing = TwoAdapters();
    growing.growth.neighbours = {Neighbour(2, Ipv4(10, 0, 0, 9), 3, {9, 9, 9, 9, 9, 9})};
    app_test::Install(growing);
    ArpTable table;
    table.FilterByAdapter(std::nullopt);
    EXPECT_EQ(table.ViewCount(), 0);

    EXPECT_TRUE(table.Refresh());
    table.FilterByAdapter(2);
    EXPECT_EQ(ViewAddresses(table), (std::vector<DWORD>{Ipv4(10, 0, 0, 1), Ipv4(10, 0, 0, 3),
                                                        Ipv4(10, 0, 0, 5), Ipv4(10, 0, 0, 9)}));
}

TEST_F(ArpTableTest, SmallerTableLeavesNothingOfTheLargerOne) {
    app_test::Install(TwoAdapters());
    ArpTable table;
    Scenario smaller;
    smaller.neighbours = {Neighbour(2, Ipv4(10, 0, 0, 7), 3, {0xaa})};
    app_test::Install(smaller);
    EXPECT_TRUE(table.Refresh());

    table.FilterByAdapter(std::nullopt);
    ASSERT_EQ(table.ViewCount(), 1);
    const ArpEntry& entry = *table.ViewAt(0);
    EXPECT_EQ(entry.ipAddress, Ipv4(10, 0, 0, 7));
    EXPECT_EQ(PhysicalAddressText(entry), u"aa");
    // The bytes past the length are zero, not what the earlier table's first row held.
    EXPECT_EQ(std::vector<BYTE>(std::begin(entry.physicalAddress), std::end(entry.physicalAddress)),
              (std::vector<BYTE>{0xaa, 0, 0, 0, 0, 0, 0, 0}));
    table.FilterByAdapter(3);
    EXPECT_EQ(table.ViewCount(), 0);
}

TEST(IpAddressToText, WritesDottedTextWithinTheBuffer) {
    WCHAR text[16];
    std::fill(std::begin(text), std::end(text), u'x');
    EXPECT_TRUE(IpAddressToText(Ipv4(255, 255, 255, 255), text, 16));
    EXPECT_EQ(std::u16string(text), u"255.255.255.255");

    // A shorter address leaves the rest of the buffer zero.
    EXPECT_TRUE(IpAddressToText(Ipv4(10, 0, 0, 1), text, 16));
    EXPECT_EQ(std::u16string(text), u"10.0.0.1");
    EXPECT_EQ(text[15], 0);

    // Too small a buffer keeps no partial address.
    EXPECT_FALSE(IpAddressToText(Ipv4(192, 168, 100, 200), text, 8));
    EXPECT_EQ(text[0], 0);
    EXPECT_FALSE(IpAddressToText(Ipv4(10, 0, 0, 1), text, 0));
    EXPECT_FALSE(IpAddressToText(Ipv4(10, 0, 0, 1), text, -1));
}

}  // namespace
