#include <gtest/gtest.h>

#include <string>

#include "SimulatedDevice.h"
#include "common/AdapterSnapshot.h"

namespace {

using app_test::Adapter;
using app_test::Ipv4;
using app_test::Text;
using platform::net::sim::AdapterVanishing;
using platform::net::sim::QueryFailure;
using platform::net::sim::Scenario;
using platform::net::sim::SimAdapter;
using platform::net::sim::SimQuery;

// 2023-07-15 17:00 UTC: noon on the device's clock, five hours west of UTC.
constexpr std::int64_t kObtained = 1689440400;

SimAdapter Wireless() {
    SimAdapter sim = Adapter(3, "wlan0", "Wireless LAN adapter");
    sim.adapter.hardwareAddress = {0x00, 0x0a, 0x95, 0x9d, 0x68, 0x16};
    sim.adapter.addresses = {{Ipv4(192, 168, 1, 20), Ipv4(255, 255, 255, 0)}};
    sim.adapter.gateways = {Ipv4(192, 168, 1, 1)};
    sim.adapter.dhcpEnabled = true;
    sim.adapter.dhcpServer = Ipv4(192, 168, 1, 1);
    sim.adapter.leaseObtained = kObtained;
    sim.adapter.leaseExpires = kObtained + 26 * 3600 + 30 * 60;
    sim.adapter.haveWins = true;
    sim.adapter.primaryWins = Ipv4(192, 168, 1, 2);
    sim.adapter.secondaryWins = Ipv4(192, 168, 1, 3);
    sim.speed = 54000000;
    return sim;
}

Scenario Handheld() {
    Scenario scenario;
    scenario.adapters = {Wireless()};
    scenario.host.hostName = "pocketpc";
    scenario.host.domainName = "example.lan";
    scenario.host.dnsServers = {Ipv4(192, 168, 1, 1), Ipv4(8, 8, 8, 8), Ipv4(9, 9, 9, 9),
                                Ipv4(1, 1, 1, 1)};
    scenario.host.currentDnsServer = Ipv4(8, 8, 8, 8);
    scenario.timeZone = "XST5";
    return scenario;
}

class AdapterSnapshotTest : public ::testing::Test {
  protected:
    void TearDown() override { app_test::Uninstall(); }
};

TEST_F(AdapterSnapshotTest, RecordHoldsWhatTheLibraryReports) {
    app_test::Install(Handheld());
    AdapterSnapshot snapshot;
    EXPECT_TRUE(snapshot.ReadAdapters());
    ASSERT_EQ(snapshot.AdapterCount(), 1);
    const AdapterRecord& record = *snapshot.AdapterAt(0);

    EXPECT_EQ(Text(record.adapterName), u"wlan0");
    EXPECT_EQ(Text(record.displayName), u"Wireless LAN adapter");
    EXPECT_EQ(record.interfaceIndex, 3u);
    EXPECT_EQ(Text(record.macText), u"00-0a-95-9d-68-16");
    EXPECT_EQ(Text(record.ipAddresses[0].address), u"192.168.1.20");
    EXPECT_EQ(Text(record.ipAddresses[0].mask), u"255.255.255.0");
    EXPECT_EQ(Text(record.ipAddresses[1].address), u"");
    EXPECT_EQ(Text(record.gateways[0]), u"192.168.1.1");
    EXPECT_EQ(Text(record.gateways[1]), u"");
    EXPECT_TRUE(record.dhcpEnabled);
    EXPECT_EQ(Text(record.dhcpServer), u"192.168.1.1");
    EXPECT_TRUE(record.hasWins);
    EXPECT_EQ(Text(record.primaryWinsServer), u"192.168.1.2");
    EXPECT_EQ(Text(record.secondaryWinsServer), u"192.168.1.3");
    EXPECT_EQ(record.interfaceSpeed, 54000000u);
    // Local times on the 24-hour clock, after the locale's short date.
    EXPECT_TRUE(Text(record.leaseObtained).ends_with(u" 12:00")) << "obtained";
    EXPECT_TRUE(Text(record.leaseExpires).ends_with(u" 14:30")) << "expires";
    EXPECT_NE(Text(record.leaseObtained), Text(record.leaseExpires));

    EXPECT_EQ(Text(snapshot.HostName()), u"pocketpc");
    EXPECT_EQ(Text(snapshot.DomainName()), u"example.lan");
    EXPECT_EQ(Text(snapshot.CurrentDnsServer()), u"8.8.8.8");
    // Of four configured DNS servers the first three are kept.
    EXPECT_EQ(Text(snapshot.DnsServer(0)), u"192.168.1.1");
    EXPECT_EQ(Text(snapshot.DnsServer(1)), u"8.8.8.8");
    EXPECT_EQ(Text(snapshot.DnsServer(2)), u"9.9.9.9");
    EXPECT_EQ(snapshot.DnsServer(3), nullptr);
    EXPECT_EQ(snapshot.AdapterAt(1), nullptr);
    EXPECT_EQ(snapshot.AdapterAt(-1), nullptr);
}

TEST_F(AdapterSnapshotTest, ListsAreCutToTheirFields) {
    Scenario scenario = Handheld();
    SimAdapter many = Adapter(4, "usb0-with-a-very-long-name", "Seven addresses");
    for (std::uint8_t i = 1; i <= 7; ++i) {
        many.adapter.addresses.push_back({Ipv4(10, 0, 0, i), Ipv4(255, 0, 0, 0)});
        many.adapter.gateways.push_back(Ipv4(10, 0, 1, i));
    }
    SimAdapter eightByteMac = Adapter(5, "fw0", "Eight-byte address");
    eightByteMac.adapter.hardwareAddress = {1, 2, 3, 4, 5, 6, 7, 8};
    SimAdapter noMac = Adapter(6, "ppp0", "No address");
    scenario.adapters = {many, eightByteMac, noMac};
    app_test::Install(scenario);

    AdapterSnapshot snapshot;
    EXPECT_TRUE(snapshot.ReadAdapters());
    ASSERT_EQ(snapshot.AdapterCount(), 3);
    const AdapterRecord& record = *snapshot.AdapterAt(0);
    EXPECT_EQ(Text(record.ipAddresses[0].address), u"10.0.0.1");
    EXPECT_EQ(Text(record.ipAddresses[4].address), u"10.0.0.5");
    EXPECT_EQ(Text(record.ipAddresses[4].mask), u"255.0.0.0");
    EXPECT_EQ(Text(record.gateways[4]), u"10.0.1.5");
    // 19 characters and the terminator.
    EXPECT_EQ(Text(record.adapterName), u"usb0-with-a-very-lo");

    EXPECT_EQ(Text(snapshot.AdapterAt(1)->macText), u"01-02-03-04-05-06");
    EXPECT_EQ(Text(snapshot.AdapterAt(2)->macText), u"00-00-00-00-00-00");
    EXPECT_EQ(snapshot.AdapterAt(2)->interfaceIndex, 6u);
}

TEST_F(AdapterSnapshotTest, DisplayNameComesFromTheRegistryOnlyWhenItIsANonEmptyString) {
    Scenario scenario = Handheld();
    scenario.adapters = {
        Adapter(1, "eth0", "Ethernet adapter"), Adapter(2, "eth1", "Ethernet adapter"),
        Adapter(3, "wlan0", "Wireless LAN adapter"), Adapter(4, "eth2", "Ethernet adapter"),
        Adapter(5, "eth3", "Ethernet adapter")};
    scenario.registry = {app_test::DisplayNameString(u"eth0", u""),
                         app_test::DisplayNameOfType(u"eth1", 4 /* REG_DWORD */),
                         app_test::DisplayNameString(u"wlan0", u"Wi-Fi"),
                         app_test::DisplayNameString(u"eth3", std::u16string(200, u'n'))};
    app_test::Install(scenario);

    AdapterSnapshot snapshot;
    snapshot.ReadAdapters();
    ASSERT_EQ(snapshot.AdapterCount(), 5);
    EXPECT_EQ(Text(snapshot.AdapterAt(0)->displayName), u"Ethernet adapter");
    EXPECT_EQ(Text(snapshot.AdapterAt(1)->displayName), u"Ethernet adapter");
    EXPECT_EQ(Text(snapshot.AdapterAt(2)->displayName), u"Wi-Fi");
    // No key at all.
    EXPECT_EQ(Text(snapshot.AdapterAt(3)->displayName), u"Ethernet adapter");
    // A name longer than the field is cut, and the field stays terminated.
    EXPECT_EQ(Text(snapshot.AdapterAt(4)->displayName), std::u16string(149, u'n'));
}

TEST_F(AdapterSnapshotTest, RefreshReplacesHostParametersUnlessTheirQueryFails) {
    app_test::Install(Handheld());
    AdapterSnapshot snapshot;
    snapshot.ReadAdapters();

    Scenario fewerServers = Handheld();
    fewerServers.host.dnsServers = {Ipv4(192, 168, 1, 1)};
    fewerServers.host.currentDnsServer.reset();
    app_test::Install(fewerServers);
    snapshot.ReadAdapters();
    EXPECT_EQ(Text(snapshot.DnsServer(0)), u"192.168.1.1");
    EXPECT_EQ(Text(snapshot.DnsServer(1)), u"");
    EXPECT_EQ(Text(snapshot.DnsServer(2)), u"");
    EXPECT_EQ(Text(snapshot.CurrentDnsServer()), u"");

    Scenario failingParameters = Handheld();
    failingParameters.host.hostName = "renamed";
    failingParameters.failures = {QueryFailure{SimQuery::Parameters, ERROR_GEN_FAILURE, 2}};
    app_test::Install(failingParameters);
    snapshot.ReadAdapters();
    EXPECT_EQ(Text(snapshot.HostName()), u"pocketpc");
    EXPECT_EQ(snapshot.AdapterCount(), 1);
}

TEST_F(AdapterSnapshotTest, FailedAdapterQueriesLeaveTheListEmpty) {
    app_test::Install(Handheld());
    AdapterSnapshot snapshot;
    snapshot.ReadAdapters();
    ASSERT_EQ(snapshot.AdapterCount(), 1);

    for (std::uint64_t failingCall : {1, 2}) {
        Scenario failing = Handheld();
        failing.host.hostName = "unread";
        failing.failures = {QueryFailure{SimQuery::Adapters, ERROR_NOT_SUPPORTED, failingCall}};
        app_test::Install(failing);
        EXPECT_FALSE(snapshot.ReadAdapters()) << "call " << failingCall;
        EXPECT_EQ(snapshot.AdapterCount(), 0);
        EXPECT_EQ(snapshot.AdapterAt(0), nullptr);
        EXPECT_EQ(Text(snapshot.HostName()), u"pocketpc");
    }

    app_test::Install(Scenario{});
    snapshot.ReadAdapters();
    EXPECT_EQ(snapshot.AdapterCount(), 0);
    EXPECT_EQ(snapshot.AdapterAt(0), nullptr);
}

TEST_F(AdapterSnapshotTest, InterfaceQueryFailureLeavesTheSpeedZero) {
    Scenario scenario = Handheld();
    scenario.failures = {QueryFailure{SimQuery::Interface, ERROR_NOT_SUPPORTED, std::nullopt}};
    app_test::Install(scenario);
    AdapterSnapshot snapshot;
    snapshot.ReadAdapters();
    ASSERT_EQ(snapshot.AdapterCount(), 1);
    EXPECT_EQ(snapshot.AdapterAt(0)->interfaceSpeed, 0u);
}

TEST_F(AdapterSnapshotTest, UpdateAdapterRereadsOneRecordInPlace) {
    app_test::Install(Handheld());
    AdapterSnapshot snapshot;
    snapshot.ReadAdapters();
    AdapterRecord& record = *snapshot.AdapterAt(0);

    Scenario renewed = Handheld();
    renewed.adapters[0].adapter.addresses = {{Ipv4(192, 168, 1, 77), Ipv4(255, 255, 0, 0)}};
    renewed.adapters[0].speed = 11000000;
    renewed.host.hostName = "renamed";
    app_test::Install(renewed);
    EXPECT_TRUE(snapshot.UpdateAdapter(record));
    EXPECT_EQ(snapshot.AdapterAt(0), &record);
    EXPECT_EQ(Text(record.ipAddresses[0].address), u"192.168.1.77");
    EXPECT_EQ(Text(record.ipAddresses[0].mask), u"255.255.0.0");
    EXPECT_EQ(record.interfaceSpeed, 11000000u);
    EXPECT_EQ(Text(snapshot.HostName()), u"pocketpc");

    // Gone by the time of the update, while another adapter stays: the record is left
    // as it was.
    Scenario vanishing = Handheld();
    vanishing.adapters.push_back(Adapter(7, "eth0", "Ethernet adapter"));
    vanishing.vanishings = {AdapterVanishing{3, 0}};
    app_test::Install(vanishing);
    const AdapterRecord before = record;
    EXPECT_TRUE(snapshot.UpdateAdapter(record));
    EXPECT_EQ(Text(record.ipAddresses[0].address), u"192.168.1.77");
    EXPECT_EQ(record.interfaceSpeed, before.interfaceSpeed);
    EXPECT_EQ(Text(record.leaseExpires), Text(before.leaseExpires));

    app_test::Install(Scenario{});
    EXPECT_FALSE(snapshot.UpdateAdapter(record));
    EXPECT_EQ(record.interfaceIndex, 3u);
}

}  // namespace
