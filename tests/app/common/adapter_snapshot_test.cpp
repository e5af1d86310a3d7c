// The adapter snapshot's records where the library's answers do not fit them or fail:
// lists and names cut to their fields, the registry's display names, failed queries and
// a record re-read in place. What a record shows is the pages' to test, the re-reads'
// waits and a record whose adapter vanished the DHCP lease's.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "common/AdapterSnapshot.h"
#include "support/scenario_stager.h"

namespace tessalink::test {
namespace {

using nlohmann::json;

// Leased 2023-07-15 17:00 UTC for 26.5 hours, five hours west of UTC.
const json kHandheld = json::parse(R"({
  "adapters": [{"name": "wlan0", "index": 3, "description": "Wireless LAN adapter",
                "addresses": [{"address": "192.168.1.20", "mask": "255.255.255.0"}],
                "dhcp": {"leaseObtained": "2023-07-15T17:00:00Z",
                         "leaseExpires": "2023-07-16T19:30:00Z"}, "speed": 54000000}],
  "host": {"hostName": "pocketpc", "currentDnsServer": "8.8.8.8",
           "dnsServers": ["192.168.1.1", "8.8.8.8", "9.9.9.9", "1.1.1.1"]},
  "timeZone": "XST5"})");

std::u16string FieldString(const WCHAR* text) {
    return text;
}

class AdapterSnapshotTest : public ::testing::Test {
  protected:
    void TearDown() override { ClearScenario(); }
    AdapterSnapshot& Read(const json& scenario) {
        StageScenario(scenario.dump());
        snapshot_.ReadAdapters();
        return snapshot_;
    }
    static json WithFault(json scenario, const char* fault) {
        scenario["faults"] = json::array({json::parse(fault)});
        return scenario;
    }
    AdapterSnapshot snapshot_;
};

TEST_F(AdapterSnapshotTest, LeaseTimesAreLocalAndThreeDnsServersAreKept) {
    const AdapterRecord& record = *Read(kHandheld).AdapterAt(0);
    EXPECT_TRUE(FieldString(record.leaseObtained).ends_with(u" 12:00")) << "local, 24-hour";
    EXPECT_TRUE(FieldString(record.leaseExpires).ends_with(u" 14:30"));
    EXPECT_NE(FieldString(record.leaseObtained), FieldString(record.leaseExpires));
    EXPECT_EQ(FieldString(snapshot_.CurrentDnsServer()), u"8.8.8.8");
    EXPECT_EQ(FieldString(snapshot_.DnsServer(2)), u"9.9.9.9");
    EXPECT_EQ(snapshot_.DnsServer(3), nullptr);
    EXPECT_EQ(snapshot_.AdapterAt(1), nullptr);
    EXPECT_EQ(snapshot_.AdapterAt(-1), nullptr);
}

TEST_F(AdapterSnapshotTest, ListsAndNamesAreCutToTheirFields) {
    json many = {{"name", "usb0-with-a-very-long-name"}, {"index", 4}};
    for (const std::string at : {"1", "2", "3", "4", "5", "6"}) {
        many["addresses"].push_back({{"address", "10.0.0." + at}, {"mask", "255.0.0.0"}});
        many["gateways"].push_back("10.0.1." + at);
    }
    json scenario = kHandheld;
    scenario["adapters"] = json::parse(R"([
        {"name": "fw0", "index": 5, "description": "Eight bytes", "mac": "01-02-03-04-05-06-07-08"},
        {"name": "ppp0", "index": 6, "description": "No address"}])");
    scenario["adapters"].insert(scenario["adapters"].begin(), many);
    scenario["adapters"][0]["displayName"] = std::string(200, 'n');
    // An empty display name, or one of another type, leaves the description.
    scenario["registry"] = json::parse(R"({"HKLM\\Comm\\fw0": {"DisplayName": ""},
                                           "HKLM\\Comm\\ppp0": {"DisplayName": 1}})");
    const AdapterSnapshot& snapshot = Read(scenario);
    ASSERT_EQ(snapshot.AdapterCount(), 3);
    const AdapterRecord& record = *snapshot.AdapterAt(0);
    EXPECT_EQ(FieldString(record.ipAddresses[4].mask), u"255.0.0.0");
    EXPECT_EQ(FieldString(record.gateways[4]), u"10.0.1.5");
    EXPECT_EQ(FieldString(record.adapterName), u"usb0-with-a-very-lo") << "19 and the terminator";
    EXPECT_EQ(FieldString(record.displayName), std::u16string(149, u'n'));
    EXPECT_EQ(FieldString(snapshot.AdapterAt(1)->macText), u"01-02-03-04-05-06");
    EXPECT_EQ(FieldString(snapshot.AdapterAt(2)->macText), u"00-00-00-00-00-00");
    EXPECT_EQ(FieldString(snapshot.AdapterAt(1)->displayName), u"Eight bytes");
    EXPECT_EQ(FieldString(snapshot.AdapterAt(2)->displayName), u"No address");
}

TEST_F(AdapterSnapshotTest, FailedQueriesKeepWhatTheyCannotReplace) {
    Read(kHandheld);
    json renamed = kHandheld;
    renamed["host"]["hostName"] = "renamed";
    Read(WithFault(renamed,
                   R"({"kind": "fail", "query": "GetNetworkParams", "error": 31, "call": 2})"));
    EXPECT_EQ(FieldString(snapshot_.HostName()), u"pocketpc");
    EXPECT_EQ(snapshot_.AdapterCount(), 1);
    // The adapters' size probe or their read fails: none are left, the host stays.
    for (const char* fault :
         {R"({"kind": "fail", "query": "GetAdaptersInfo", "error": 50, "call": 1})",
          R"({"kind": "fail", "query": "GetAdaptersInfo", "error": 50, "call": 2})"}) {
        StageScenario(WithFault(renamed, fault).dump());
        EXPECT_FALSE(snapshot_.ReadAdapters()) << fault;
        EXPECT_EQ(snapshot_.AdapterAt(0), nullptr);
        EXPECT_EQ(FieldString(snapshot_.HostName()), u"pocketpc");
    }
    Read(WithFault(kHandheld, R"({"kind": "fail", "query": "GetIfEntry", "error": 50})"));
    EXPECT_EQ(snapshot_.AdapterAt(0)->interfaceSpeed, 0u);
}

TEST_F(AdapterSnapshotTest, UpdateAdapterRereadsOneRecordInPlace) {
    AdapterRecord& record = *Read(kHandheld).AdapterAt(0);
    json renewed = kHandheld;
    renewed["adapters"][0]["addresses"][0]["address"] = "192.168.1.77";
    renewed["adapters"][0]["speed"] = 11000000;
    renewed["host"]["hostName"] = "renamed";
    StageScenario(renewed.dump());
    EXPECT_TRUE(snapshot_.UpdateAdapter(record));
    EXPECT_EQ(snapshot_.AdapterAt(0), &record);
    EXPECT_EQ(FieldString(record.ipAddresses[0].address), u"192.168.1.77");
    EXPECT_EQ(record.interfaceSpeed, 11000000u);
    EXPECT_EQ(FieldString(snapshot_.HostName()), u"pocketpc");
}

}  // namespace
}  // namespace tessalink::test
