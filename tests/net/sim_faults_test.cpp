// The faults a scenario injects, seen through the calls the program makes: a size
// probe, then a read into a buffer of the size it reported.
#include <gtest/gtest.h>
#include <iphlpapi.h>
#include <windows.h>

#include <vector>

#include "table_read.h"
#include "use_scenario.h"

namespace {

using net_test::ReadAdapters;
using net_test::ReadArp;
using net_test::TableRead;
using net_test::UseScenario;

constexpr const char* kAdapter =
    R"({"name": "eth0", "index": 2, "addresses": [{"address": "10.0.0.2", "mask": "255.0.0.0"}]})";

TEST(SimFaults, FailEveryCallOrOnlyTheNth) {
    UseScenario(std::string(R"({"adapters": [)") + kAdapter + R"(],
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

TEST(SimFaults, ArpTableGrowsBetweenProbeAndRead) {
    UseScenario(R"({"arp": [{"interface": 2, "address": "10.0.0.1"}],
        "faults": [{"kind": "grow", "table": "arp",
                    "add": [{"interface": 2, "address": "10.0.0.2"},
                            {"interface": 2, "address": "10.0.0.3"}]}]})");
    const TableRead first = ReadArp();
    EXPECT_EQ(first.probe, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(first.read, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    // The failed read reports the size of the grown table (two rows).
    EXPECT_EQ(first.size, offsetof(MIB_IPNETTABLE, table) + 2 * sizeof(MIB_IPNETROW));

    // The next probe sees the last row added; then the table holds still.
    const TableRead second = ReadArp();
    ASSERT_EQ(second.read, static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(second.As<MIB_IPNETTABLE>()->dwNumEntries, 3u);
}

TEST(SimFaults, AdapterListGrowsBetweenProbeAndRead) {
    UseScenario(std::string(R"({"adapters": [)") + kAdapter + R"(],
        "faults": [{"kind": "grow", "table": "adapters", "add": [{"name": "ppp0", "index": 9}]}]})");
    const TableRead first = ReadAdapters();
    EXPECT_EQ(first.read, static_cast<DWORD>(ERROR_BUFFER_OVERFLOW));
    EXPECT_EQ(first.size, 2 * sizeof(IP_ADAPTER_INFO));

    MIB_IFROW row{};
    row.dwIndex = 9;
    EXPECT_EQ(GetIfEntry(&row), static_cast<DWORD>(NO_ERROR)) << "the grown adapter is known";
    const TableRead second = ReadAdapters();
    ASSERT_EQ(second.read, static_cast<DWORD>(NO_ERROR));
    EXPECT_STREQ(second.As<IP_ADAPTER_INFO>()->Next->AdapterName, "ppp0");
}

TEST(SimFaults, AdapterVanishesWithItsArpRowsAfterNQueries) {
    UseScenario(std::string(R"({"adapters": [)") + kAdapter + R"(, {"name": "wlan0", "index": 3}],
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
