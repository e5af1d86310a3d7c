// The faults a scenario injects, seen through the calls the program makes: a size
// probe, then a read into a buffer of the size it reported.
#include <gtest/gtest.h>
#include <iphlpapi.h>
#include <windows.h>

#include <vector>

#include "support/scenario_stager.h"
#include "table_read.h"

namespace {

using net_test::ReadAdapters;
using net_test::ReadArp;
using net_test::TableRead;
using tessalink::test::StageScenario;

constexpr const char* kAdapter =
    R"({"name": "eth0", "index": 2, "addresses": [{"address": "10.0.0.2", "mask": "255.0.0.0"}]})";

TEST(SimFaults, FailEveryCallOrOnlyTheNth) {
    StageScenario(std::string(R"({"adapters": [)") + kAdapter + R"(],
        "faults": [{"kind": "fail", "query": "GetAdaptersInfo", "error": 31, "call": 2},
                   {"kind": "fail", "query": "GetNetworkParams", "error": 8},
                   {"kind": "fail", "query": "GetIfEntry", "error": 50, "call": 1}]})");
    const TableRead first = ReadAdapters();
    EXPECT_EQ(first.probe, static_cast<DWORD>(ERROR_BUFFER_OVERFLOW));
    EXPECT_EQ(first.read, static_cast<DWORD>(ERROR_GEN_FAILURE));
    const TableRead second = ReadAdapters();
    EXPECT_EQ(second.read, static_cast<DWORD>(NO_ERROR));

    ULONG size = 0;
    EXPECT_EQ(GetNetworkParams(nullptr, &size), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_EQ(GetNetworkParams(nullptr, &size), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));

    MIB_IFROW row{};
    row.dwIndex = 2;
    EXPECT_EQ(GetIfEntry(&row), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(GetIfEntry(&row), static_cast<DWORD>(NO_ERROR));
}

// A table that grows between probe and read refuses the read with the size it grew to;
// the next probe sees it whole, and then it holds still.
TEST(SimFaults, TablesGrowBetweenProbeAndRead) {
    StageScenario(std::string(R"({"adapters": [)") + kAdapter + R"(],
        "arp": [{"interface": 2, "address": "10.0.0.1"}],
        "faults": [{"kind": "grow", "table": "adapters", "add": [{"name": "ppp0", "index": 9}]},
                   {"kind": "grow", "table": "arp",
                    "add": [{"interface": 2, "address": "10.0.0.2"},
                            {"interface": 2, "address": "10.0.0.3"}]}]})");
    const TableRead adapters = ReadAdapters();
    EXPECT_EQ(adapters.read, static_cast<DWORD>(ERROR_BUFFER_OVERFLOW));
    EXPECT_EQ(adapters.size, 2 * sizeof(IP_ADAPTER_INFO));
    MIB_IFROW row{};
    row.dwIndex = 9;
    EXPECT_EQ(GetIfEntry(&row), static_cast<DWORD>(NO_ERROR)) << "the grown adapter is known";
    const TableRead grownAdapters = ReadAdapters();
    ASSERT_EQ(grownAdapters.read, static_cast<DWORD>(NO_ERROR));
    EXPECT_STREQ(grownAdapters.As<IP_ADAPTER_INFO>()->Next->AdapterName, "ppp0");

    const TableRead arp = ReadArp();
    EXPECT_EQ(arp.probe, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(arp.read, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(arp.size, offsetof(MIB_IPNETTABLE, table) + 2 * sizeof(MIB_IPNETROW));
    const TableRead grownArp = ReadArp();
    ASSERT_EQ(grownArp.read, static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(grownArp.As<MIB_IPNETTABLE>()->dwNumEntries, 3u);
}

TEST(SimFaults, AdapterVanishesWithItsArpRowsAfterNQueries) {
    StageScenario(std::string(R"({"adapters": [)") + kAdapter + R"(, {"name": "wlan0", "index": 3}],
        "arp": [{"interface": 2, "address": "10.0.0.1"}, {"interface": 3, "address": "10.0.0.9"}],
        "faults": [{"kind": "vanish", "adapter": 2, "afterQueries": 2}]})");
    const TableRead before = ReadAdapters();
    ASSERT_EQ(before.read, static_cast<DWORD>(NO_ERROR));
    EXPECT_NE(before.As<IP_ADAPTER_INFO>()->Next, nullptr);

    const TableRead after = ReadAdapters();
    EXPECT_EQ(after.size, sizeof(IP_ADAPTER_INFO));
    ASSERT_EQ(after.read, static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(after.As<IP_ADAPTER_INFO>()->Index, 3u);
    MIB_IFROW row{};
    row.dwIndex = 2;
    EXPECT_EQ(GetIfEntry(&row), static_cast<DWORD>(ERROR_INVALID_DATA));
    const TableRead arp = ReadArp();
    ASSERT_EQ(arp.read, static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(arp.As<MIB_IPNETTABLE>()->dwNumEntries, 1u);
}

}  // namespace
