// IpReleaseAddress and IpRenewAddress over a simulated network, read back through
// GetAdaptersInfo as a program would; late servers answer on a clock the test moves.
#include <gtest/gtest.h>
#include <iphlpapi.h>
#include <windows.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "net/sim/scenario_reader.h"
#include "net/sim/sim_backend.h"
#include "net/table_read.h"

namespace {

using namespace std::chrono_literals;

std::chrono::steady_clock::time_point simulatedNow{};

constexpr const char* kScenario = R"({
  "adapters": [
    { "name": "NE20001", "index": 2,
      "addresses": [{ "address": "192.168.1.20", "mask": "255.255.255.0" }],
      "gateways": ["192.168.1.1"],
      "dhcp": { "server": "192.168.1.1", "leaseObtained": "2026-12-05T08:00:00Z",
                "leaseExpires": "2026-12-06T08:00:00Z" } },
    { "name": "WLAN1", "index": 3, "dhcp": {} },
    { "name": "PPP1", "index": 4,
      "addresses": [{ "address": "10.1.1.1", "mask": "255.255.255.255" }] },
    { "name": "NE20002", "index": 5,
      "addresses": [{ "address": "172.16.0.9", "mask": "255.255.0.0" }], "dhcp": {} }
  ],
  "dhcpServers": [
    { "adapter": 3, "answer": "late", "delay": 1500, "server": "10.0.0.1",
      "offer": { "address": "10.0.0.33", "mask": "255.255.255.0" }, "leaseTime": 600 },
    { "adapter": 5, "answer": "never" }
  ]
})";

// The adapter with this index as GetAdaptersInfo reports it now.
struct Reported {
    std::string address;
    std::string gateway;
    std::string server;
    UINT dhcpEnabled = 0;
    time_t obtained = 0;
    time_t expires = 0;
};

Reported Report(DWORD index) {
    const net_test::TableRead adapters = net_test::ReadAdapters();
    EXPECT_EQ(adapters.read, static_cast<DWORD>(NO_ERROR));
    for (auto* info = adapters.As<IP_ADAPTER_INFO>(); info != nullptr; info = info->Next) {
        if (info->Index == index) {
            return {info->IpAddressList.IpAddress.String,
                    info->GatewayList.IpAddress.String,
                    info->DhcpServer.IpAddress.String,
                    info->DhcpEnabled,
                    info->LeaseObtained,
                    info->LeaseExpires};
        }
    }
    ADD_FAILURE() << "no adapter " << index;
    return {};
}

DWORD Release(DWORD index) {
    IP_ADAPTER_INDEX_MAP map = {};
    map.Index = index;
    return IpReleaseAddress(&map);
}

DWORD Renew(DWORD index) {
    IP_ADAPTER_INDEX_MAP map = {};
    map.Index = index;
    return IpRenewAddress(&map);
}

class DhcpRequestsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        simulatedNow = {};
        platform::net::InstallBackend(std::make_unique<platform::net::sim::SimBackend>(
            platform::net::sim::ParseScenario(kScenario, "test.json"),
            [] { return simulatedNow; }));
    }
    void TearDown() override {
        platform::net::InstallBackend(
            std::make_unique<platform::net::sim::SimBackend>(platform::net::sim::Scenario{}));
    }
};

TEST_F(DhcpRequestsTest, RequestsThatCannotBeMadeFailAndChangeNothing) {
    EXPECT_EQ(IpReleaseAddress(nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(IpRenewAddress(nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(Release(99), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(Renew(99), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    // An adapter with a fixed address has no lease to give back.
    EXPECT_EQ(Release(4), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(Renew(4), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(Report(4).address, "10.1.1.1");
}

TEST_F(DhcpRequestsTest, ReleaseLeavesNoAddressAndRenewBringsTheLeaseBack) {
    ASSERT_EQ(Release(2), static_cast<DWORD>(NO_ERROR));
    Reported released = Report(2);
    EXPECT_EQ(released.address, "0.0.0.0");
    EXPECT_EQ(released.gateway, "");
    EXPECT_EQ(released.dhcpEnabled, 1u);
    EXPECT_EQ(released.obtained, 0);
    // The other adapters keep what they had.
    EXPECT_EQ(Report(5).address, "172.16.0.9");

    // Without a server of its own the adapter's first address comes back at once,
    // for a lease as long as the one it had.
    ASSERT_EQ(Renew(2), static_cast<DWORD>(NO_ERROR));
    Reported renewed = Report(2);
    EXPECT_EQ(renewed.address, "192.168.1.20");
    EXPECT_EQ(renewed.server, "192.168.1.1");
    EXPECT_EQ(renewed.gateway, "192.168.1.1");
    EXPECT_GT(renewed.obtained, 0);
    EXPECT_EQ(renewed.expires - renewed.obtained, 24 * 3600);
}

TEST_F(DhcpRequestsTest, LateServerAnswersOnlyOnceItsDelayHasPassed) {
    EXPECT_EQ(Report(3).address, "0.0.0.0");
    ASSERT_EQ(Renew(3), static_cast<DWORD>(NO_ERROR));
    simulatedNow += 1499ms;
    EXPECT_EQ(Report(3).address, "0.0.0.0");
    simulatedNow += 1ms;
    const Reported granted = Report(3);
    EXPECT_EQ(granted.address, "10.0.0.33");
    EXPECT_EQ(granted.server, "10.0.0.1");
    EXPECT_EQ(granted.expires - granted.obtained, 600);

    // A release while a renew is pending drops the pending answer too.
    ASSERT_EQ(Renew(3), static_cast<DWORD>(NO_ERROR));
    ASSERT_EQ(Release(3), static_cast<DWORD>(NO_ERROR));
    simulatedNow += 1h;
    EXPECT_EQ(Report(3).address, "0.0.0.0");
}

}  // namespace
