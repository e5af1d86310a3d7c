// The faults a scenario injects, seen through the calls the program makes: a size
// probe, then a read into a buffer of the size it reported.
#include <gtest/gtest.h>
#include <iphlpapi.h>
#include <windows.h>

#include <vector>

#include "use_scenario.h"

namespace {

using net_test::UseScenario;

constexpr const char* kAdapter =
    R"({"name": "eth0", "index": 2, "addresses": [{"address": "10.0.0.2", "mask": "255.0.0.0"}]})";

struct Read {
    DWORD probe = 0;
    DWORD read = 0;
    ULONG size = 0;
    std::vector<BYTE> buffer;
};

Read ReadAdapters() {
    Read result;
    result.probe = GetAdaptersInfo(nullptr, &result.size);
    result.buffer.resize(result.size);
    result.read =
        GetAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(result.buffer.data()), &result.size);
    return result;
}

Read ReadArp() {
    Read result;
    result.probe = GetIpNetTable(nullptr, &result.size, TRUE);
    result.buffer.resize(result.size);
    result.read =
        GetIpNetTable(reinterpret_cast<PMIB_IPNETTABLE>(result.buffer.data()), &result.size, TRUE);
    return result;
}

DWORD ArpRowCount(const Read& read) {
    return reinterpret_cast<const MIB_IPNETTABLE*>(read.buffer.data())->dwNumEntries;
}

TEST(SimFaults, FailEveryCallOrOnlyTheNth) {
    UseScenario(std::string(R"({"adapters": [)") + kAdapter + R"(],
        "faults": [{"kind": "fail", "query": "GetAdaptersInfo", "error": 31, "call": 2},
                   {"kind": "fail", "query": "GetNetworkParams", "error": 8},
                   {"kind": "fail", "query": "GetIfEntry", "error": 50, "call": 1}]})");
    const Read first = ReadAdapters();
    EXPECT_EQ(first.probe, static_cast<DWORD>(ERROR_BUFFER_OVERFLOW));
    EXPECT_EQ(first.read, static_cast<DWORD>(ERROR_GEN_FAILURE));
    const Read second = ReadAdapters();
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
    const Read first = ReadArp();
    EXPECT_EQ(first.probe, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(first.read, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    // The failed read reports the size of the grown table (two rows).
    EXPECT_EQ(first.size, offsetof(MIB_IPNETTABLE, table) + 2 * sizeof(MIB_IPNETROW));

    // The next probe sees the last row added; then the table holds still.
    const Read second = ReadArp();
    ASSERT_EQ(second.read, static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(ArpRowCount(second), 3u);
}

TEST(SimFaults, AdapterListGrowsBetweenProbeAndRead) {
    UseScenario(std::string(R"({"adapters": [)") + kAdapter + R"(],
        "faults": [{"kind": "grow", "table": "adapters", "add": [{"name": "ppp0", "index": 9}]}]})");
    const Read first = ReadAdapters();
    EXPECT_EQ(first.read, static_cast<DWORD>(ERROR_BUFFER_OVERFLOW));
    EXPECT_EQ(first.size, 2 * sizeof(IP_ADAPTER_INFO));

    MIB_IFROW row{};
    row.dwIndex = 9;
    EXPECT_EQ(GetIfEntry(&row), static_cast<DWORD>(NO_ERROR)) << "the grown adapter is known";
    const Read second = ReadAdapters();
    ASSERT_EQ(second.read, static_cast<DWORD>(NO_ERROR));
    EXPECT_STREQ(reinterpret_cast<const IP_ADAPTER_INFO*>(second.buffer.data())->Next->AdapterName,
                 "ppp0");
}

TEST(SimFaults, AdapterVanishesWithItsArpRowsAfterNQueries) {
    UseScenario(std::string(R"({"adapters": [)") + kAdapter + R"(, {"name": "wlan0", "index": 3}],
        "arp": [{"interface": 2, "address": "10.0.0.1"}, {"interface": 3, "address": "10.0.0.9"}],
        "faults": [{"kind": "vanish", "adapter": 2, "afterQueries": 2}]})");
    const Read before = ReadAdapters();
    ASSERT_EQ(before.read, static_cast<DWORD>(NO_ERROR));
    EXPECT_NE(reinterpret_cast<const IP_ADAPTER_INFO*>(before.buffer.data())->Next, nullptr);

    const Read after = ReadAdapters();
    EXPECT_EQ(after.size, sizeof(IP_ADAPTER_INFO));
    ASSERT_EQ(after.read, static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(reinterpret_cast<const IP_ADAPTER_INFO*>(after.buffer.data())->Index, 3u);
    MIB_IFROW row{};
    row.dwIndex = 2;
    EXPECT_EQ(GetIfEntry(&row), static_cast<DWORD>(ERROR_INVALID_DATA));
    const Read arp = ReadArp();
    ASSERT_EQ(arp.read, static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(ArpRowCount(arp), 1u);
}

}  // namespace
