// Release and renew over a simulated network whose servers answer on a clock the test
// advances: the pauses between re-reads cost no real time.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "SimulatedDevice.h"
#include "adapters/DhcpLease.h"
#include "kernel/time/device_settings.h"
#include "net/sim/sim_backend.h"

namespace {

using app_test::Adapter;
using app_test::Ipv4;
using app_test::Text;
using platform::kernel::ClockSetting;
using platform::kernel::DeviceSettings;
using platform::net::sim::AdapterVanishing;
using platform::net::sim::Scenario;
using platform::net::sim::SimAdapter;
using platform::net::sim::SimBackend;
using platform::net::sim::SimDhcpAnswer;
using platform::net::sim::SimDhcpServer;

std::chrono::steady_clock::time_point simulatedNow{};
std::vector<DWORD> pauses;

void SimulatedPause(DWORD milliseconds) {
    pauses.push_back(milliseconds);
    simulatedNow += std::chrono::milliseconds(milliseconds);
}

// 2026-12-05 08:00 UTC, the start of the scenario's lease.
constexpr std::int64_t kObtained = 1796457600;

SimAdapter Cradle() {
    SimAdapter sim = Adapter(2, "NE20001", "NE2000 Compatible Ethernet Driver");
    sim.adapter.addresses = {{Ipv4(192, 168, 1, 20), Ipv4(255, 255, 255, 0)}};
    sim.adapter.gateways = {Ipv4(192, 168, 1, 1)};
    sim.adapter.dhcpEnabled = true;
    sim.adapter.dhcpServer = Ipv4(192, 168, 1, 1);
    sim.adapter.leaseObtained = kObtained;
    sim.adapter.leaseExpires = kObtained + 24 * 3600;
    return sim;
}

SimDhcpServer Server(SimDhcpAnswer answer) {
    SimDhcpServer server;
    server.adapter = 2;
    server.answer = answer;
    server.server = Ipv4(192, 168, 1, 254);
    server.offer = {{Ipv4(192, 168, 1, 57), Ipv4(255, 255, 255, 0)}};
    server.leaseSeconds = 3600;
    return server;
}

class DhcpLeaseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pauses.clear();
        simulatedNow = {};
        ASSERT_TRUE(DeviceSettings::SetTimeZone("UTC0"));
        // Two days after the scenario's lease began: a new lease has new times.
        DeviceSettings::SetClock(ClockSetting::AtInstant(
            std::chrono::sys_seconds(std::chrono::seconds(kObtained + 2 * 24 * 3600))));
    }
    void TearDown() override { app_test::Uninstall(); }

    AdapterRecord& Start(Scenario scenario) {
        platform::net::InstallBackend(
            std::make_unique<SimBackend>(std::move(scenario), [] { return simulatedNow; }));
        EXPECT_TRUE(snapshot_.ReadAdapters());
        EXPECT_EQ(snapshot_.AdapterCount(), 1);
        return *snapshot_.AdapterAt(0);
    }

    static Scenario WithServer(SimDhcpServer server) {
        Scenario scenario;
        scenario.adapters = {Cradle()};
        scenario.dhcpServers = {server};
        return scenario;
    }

    AdapterSnapshot snapshot_;
};

TEST_F(DhcpLeaseTest, ReleaseShowsNoAddressThenRenewShowsTheNewLease) {
    AdapterRecord& record = Start(WithServer(Server(SimDhcpAnswer::AtOnce)));
    const std::u16string oldObtained = Text(record.leaseObtained);

    EXPECT_TRUE(ReleaseLease(snapshot_, record, SimulatedPause));
    EXPECT_EQ(Text(record.ipAddresses[0].address), u"0.0.0.0");
    EXPECT_EQ(Text(record.gateways[0]), u"");
    // A released adapter is still one that DHCP configures: it can be renewed.
    EXPECT_TRUE(record.dhcpEnabled);

    EXPECT_TRUE(RenewLease(snapshot_, record, SimulatedPause));
    EXPECT_EQ(Text(record.ipAddresses[0].address), u"192.168.1.57");
    EXPECT_EQ(Text(record.dhcpServer), u"192.168.1.254");
    EXPECT_NE(Text(record.leaseObtained), oldObtained);
    // Both answered at the first re-read: nothing paused.
    EXPECT_TRUE(pauses.empty());
}

TEST_F(DhcpLeaseTest, RenewThatNoServerAnswersEndsAfterAMinuteOfReReads) {
    AdapterRecord& record = Start(WithServer(Server(SimDhcpAnswer::Never)));
    ASSERT_TRUE(ReleaseLease(snapshot_, record, SimulatedPause));

    EXPECT_FALSE(RenewLease(snapshot_, record, SimulatedPause));
    EXPECT_EQ(pauses.size(), 120u);
    EXPECT_EQ(pauses, std::vector<DWORD>(120, 500));
    EXPECT_EQ(Text(record.ipAddresses[0].address), u"0.0.0.0");
}

TEST_F(DhcpLeaseTest, RenewOfAValidLeaseReturnsAtTheFirstReRead) {
    // Even a server that never answers: the lease still held is an address.
    AdapterRecord& record = Start(WithServer(Server(SimDhcpAnswer::Never)));

    EXPECT_TRUE(RenewLease(snapshot_, record, SimulatedPause));
    EXPECT_TRUE(pauses.empty());
    EXPECT_EQ(Text(record.ipAddresses[0].address), u"192.168.1.20");
}

TEST_F(DhcpLeaseTest, AdapterWithoutDhcpIsNeitherReleasedNorRenewed) {
    Scenario scenario = WithServer(Server(SimDhcpAnswer::AtOnce));
    AdapterRecord& record = Start(scenario);
    // The record says no DHCP although the network would take the request: nothing
    // may be asked.
    record.dhcpEnabled = FALSE;

    EXPECT_FALSE(ReleaseLease(snapshot_, record, SimulatedPause));
    EXPECT_FALSE(RenewLease(snapshot_, record, SimulatedPause));
    AdapterSnapshot fresh;
    fresh.ReadAdapters();
    EXPECT_EQ(Text(fresh.AdapterAt(0)->ipAddresses[0].address), u"192.168.1.20");
}

TEST_F(DhcpLeaseTest, RefusedRequestLeavesTheRecordUnread) {
    Scenario scenario = WithServer(Server(SimDhcpAnswer::AtOnce));
    scenario.adapters[0].adapter.dhcpEnabled = false;
    AdapterRecord& record = Start(scenario);
    record.dhcpEnabled = TRUE;
    lstrcpyW(record.ipAddresses[0].address, u"10.9.9.9");

    EXPECT_FALSE(ReleaseLease(snapshot_, record, SimulatedPause));
    EXPECT_EQ(Text(record.ipAddresses[0].address), u"10.9.9.9");
}

TEST_F(DhcpLeaseTest, ReleaseOfAnAdapterThatVanishedEndsAfterItsBoundedWait) {
    Scenario scenario = WithServer(Server(SimDhcpAnswer::AtOnce));
    // Gone after the snapshot's two queries and the first re-read's size probe: the
    // request still finds it, but the record can no longer change, so the release
    // would wait forever without its bound.
    scenario.vanishings = {AdapterVanishing{2, 3}};
    AdapterRecord& record = Start(scenario);

    EXPECT_FALSE(ReleaseLease(snapshot_, record, SimulatedPause));
    EXPECT_EQ(pauses.size(), 20u);
    EXPECT_EQ(Text(record.ipAddresses[0].address), u"192.168.1.20");
}

}  // namespace
