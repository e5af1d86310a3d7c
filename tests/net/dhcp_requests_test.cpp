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

// The adapter with this index as GetAdaptersInfo reports it now: "ADDRESS via GATEWAY
// from SERVER", " dhcp" when on, and how long its lease runs when it has one.
std::string Report(DWORD index) {
    const net_test::TableRead adapters = net_test::ReadAdapters();
    EXPECT_EQ(adapters.read, static_cast<DWORD>(NO_ERROR));
    for (auto* info = adapters.As<IP_ADAPTER_INFO>(); info != nullptr; info = info->Next) {
        if (info->Index == index) {
            return std::string(info->IpAddressList.IpAddress.String) + " via " +
                   info->GatewayList.IpAddress.String + " from " +
                   info->DhcpServer.IpAddress.String + (info->DhcpEnabled ? " dhcp" : "") +
                   (info->LeaseObtained > 0
                        ? " " + std::to_string(info->LeaseExpires - info->LeaseObtained) + "s"
                        : " no lease");
        }
    }
    return "no adapter";
}

template <DWORD(WINAPI* request)(PIP_ADAPTER_INDEX_MAP)>
DWORD Request(DWORD index) {
    IP_ADAPTER_INDEX_MAP map = {};
    map.Index = index;
    return request(&map);
}
constexpr auto Release = Request<IpReleaseAddress>;
constexpr auto Renew = Request<IpRenewAddress>;

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
    EXPECT_EQ(Report(4), "10.1.1.1 via  from  no lease");
}

TEST_F(DhcpRequestsTest, ReleaseLeavesNoAddressAndRenewBringsTheLeaseBack) {
    ASSERT_EQ(Release(2), static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(Report(2), "0.0.0.0 via  from  dhcp no lease");
    EXPECT_EQ(Report(5), "172.16.0.9 via  from  dhcp no lease") << "the others keep theirs";
    // Without a server of its own the adapter's first address comes back at once,
    // for a lease as long as the one it had.
    ASSERT_EQ(Renew(2), static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(Report(2), "192.168.1.20 via 192.168.1.1 from 192.168.1.1 dhcp 86400s");
}

TEST_F(DhcpRequestsTest, LateServerAnswersOnlyOnceItsDelayHasPassed) {
    const std::string waiting = "0.0.0.0 via  from  dhcp no lease";
    EXPECT_EQ(Report(3), waiting);
    ASSERT_EQ(Renew(3), static_cast<DWORD>(NO_ERROR));
    simulatedNow += 1499ms;
    EXPECT_EQ(Report(3), waiting);
    simulatedNow += 1ms;
    EXPECT_EQ(Report(3), "10.0.0.33 via  from 10.0.0.1 dhcp 600s");

    // A release while a renew is pending drops the pending answer too.
    ASSERT_EQ(Renew(3), static_cast<DWORD>(NO_ERROR));
    ASSERT_EQ(Release(3), static_cast<DWORD>(NO_ERROR));
    simulatedNow += 1h;
    EXPECT_EQ(Report(3), waiting);
}

}  // namespace
