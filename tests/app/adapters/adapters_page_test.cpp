// The Summary page inside the real main frame, over simulated networks: what each view
// shows for an adapter, the view switch, the DHCP buttons and the input panel.
#include <aygshell.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "common/AdapterSnapshot.h"
#include "shell/shell_windows.h"
#include "support/program_frame.h"
#include "support/scenario_stager.h"

namespace tessalink::test {
namespace {

using nlohmann::json;

// A DHCP adapter with three addresses, two gateways and WINS, whose server renews with a
// new address at once; and a wireless one without DHCP, description or display name,
// with WINS texts but WINS off, and no speed known.
const json kOffice = json::parse(R"({
  "adapters": [
    {"name": "NE20001", "index": 2, "description": "NE2000 Compatible Ethernet Driver",
     "displayName": "Cradle Ethernet", "mac": "00-50-bf-12-34-56", "speed": 100000000,
     "addresses": [{"address": "192.168.1.20", "mask": "255.255.255.0"},
                   {"address": "10.0.0.7", "mask": "255.0.0.0"},
                   {"address": "172.16.4.1", "mask": "255.255.0.0"}],
     "gateways": ["192.168.1.1", "10.0.0.1"],
     "dhcp": {"server": "192.168.1.1", "leaseObtained": "2026-12-05T08:00:00Z",
              "leaseExpires": "2026-12-06T08:00:00Z"},
     "wins": {"primary": "192.168.1.5", "secondary": "192.168.1.6"}},
    {"name": "WLAN1", "index": 5, "mac": "00-0c-41-aa-bb-cc",
     "addresses": [{"address": "192.168.7.9", "mask": "255.255.255.0"}],
     "wins": {"enabled": false, "primary": "192.168.7.5", "secondary": "192.168.7.6"}}],
  "host": {"hostName": "pocket", "domain": "example.lan",
           "dnsServers": ["192.168.1.2", "192.168.1.3"]},
  "timeZone": "UTC0",
  "dhcpServers": [{"adapter": 2, "server": "192.168.1.254", "leaseTime": 3600,
                   "offer": {"address": "192.168.1.57", "mask": "255.255.255.0"}}]})");

class AdaptersPageTest : public ProgramFrame {
  protected:
    bool Visible(int id) const { return IsWindowVisible(Item(id)) != FALSE; }
    int EnabledButtons() const {
        return (IsWindowEnabled(Item(IDC_RELEASE_DHCP)) != FALSE) +
               (IsWindowEnabled(Item(IDC_RENEW_DHCP)) != FALSE);
    }
    int VisibleSummaryControls() const {
        int visible = 0;
        for (int id = IDC_SUMMARY_GROUP; id <= IDC_RENEW_DHCP; ++id) {
            visible += Visible(id);
        }
        return visible;
    }
    static const AdapterRecord& Record(int item) {
        return *AdapterSnapshot::Instance().AdapterAt(item);
    }
    Lines Summary() const {
        return {ItemText(IDC_MAC_ADDRESS),    ItemText(IDC_IP_ADDRESS),
                ItemText(IDC_DNS_SERVER),     ItemText(IDC_DHCP_SERVER),
                ItemText(IDC_LEASE_OBTAINED), ItemText(IDC_LEASE_EXPIRES)};
    }
    // Shows the detail view and chooses the adapter at `item` while the list shows;
    // back in the summary, it and the buttons follow that adapter.
    void ExpectDetails(int item, const Lines& rows) {
        TapItem(IDC_DETAIL_VIEW);
        EXPECT_TRUE(Visible(IDC_SETTINGS_LIST));
        EXPECT_EQ(VisibleSummaryControls(), 0);
        ChooseAdapter(item);
        EXPECT_EQ(Rows(), rows);
        TapItem(IDC_DETAIL_VIEW);
        EXPECT_FALSE(Visible(IDC_SETTINGS_LIST));
        EXPECT_EQ(VisibleSummaryControls(), IDC_RENEW_DHCP - IDC_SUMMARY_GROUP + 1);
        EXPECT_EQ(ItemText(IDC_IP_ADDRESS), std::u16string(Record(item).ipAddresses[0].address));
        EXPECT_EQ(EnabledButtons(), Record(item).dhcpEnabled ? 2 : 0);
    }
    // The detail list's rows as "label=value/image".
    Lines Rows() const {
        const Lines labels = ListTexts(IDC_SETTINGS_LIST);
        const Lines values = ListTexts(IDC_SETTINGS_LIST, 1);
        Lines rows;
        for (std::size_t row = 0; row < labels.size(); ++row) {
            LVITEMW item{};
            item.mask = LVIF_IMAGE;
            item.iItem = static_cast<int>(row);
            SendMessageW(Item(IDC_SETTINGS_LIST), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            rows.push_back(labels[row] + u"=" + values[row] + u"/" +
                           static_cast<char16_t>(u'0' + item.iImage));
        }
        return rows;
    }
};

TEST_F(AdaptersPageTest, TheSummaryShowsTheChosenAdapterAndItsLeaseButtons) {
    StartFrame(kOffice.dump());
    EXPECT_EQ(ComboTexts(), (Lines{u"Cradle Ethernet", u"WLAN1"}))
        << "an adapter without a display name is listed by its adapter name";
    // Without a current DNS server the first configured one is shown.
    EXPECT_EQ(Summary(), (Lines{u"00-50-bf-12-34-56", u"192.168.1.20", u"192.168.1.2",
                                u"192.168.1.1", Record(0).leaseObtained, Record(0).leaseExpires}));
    EXPECT_EQ(EnabledButtons(), 2);

    ChooseAdapter(1);
    EXPECT_EQ(Summary(),
              (Lines{u"00-0c-41-aa-bb-cc", u"192.168.7.9", u"192.168.1.2", u"Disabled", u"", u""}));
    EXPECT_EQ(EnabledButtons(), 0);

    json current = kOffice;
    current["host"]["currentDnsServer"] = "192.168.1.3";
    StageScenario(current.dump());
    TapItem(IDC_REFRESH_LIST);
    EXPECT_EQ(ItemText(IDC_DNS_SERVER), u"192.168.1.3");
}

TEST_F(AdaptersPageTest, TheDetailViewListsTheSettingsNumberedByTheirPlace) {
    StartFrame(kOffice.dump());
    // The second address and the primary WINS server left empty: the entries after a
    // gap keep their numbers.
    AdapterRecord& cradle = *AdapterSnapshot::Instance().AdapterAt(0);
    cradle.ipAddresses[1] = {};
    cradle.primaryWinsServer[0] = 0;
    ExpectDetails(0, {u"Host=pocket/5", u"Domain=example.lan/0", u"IP Address=192.168.1.20/4",
                      u"Subnet Mask=255.255.255.0/0", u"IP Address 3=172.16.4.1/4",
                      u"Subnet Mask 3=255.255.0.0/0", u"DHCP Server=192.168.1.1/2",
                      u"Lease Obtained=" + std::u16string(cradle.leaseObtained) + u"/0",
                      u"Lease Expires=" + std::u16string(cradle.leaseExpires) + u"/0",
                      u"Gateway=192.168.1.1/6", u"Gateway 2=10.0.0.1/6",
                      u"DNS Server=192.168.1.2/3", u"DNS Server 2=192.168.1.3/3",
                      u"Sec Wins=192.168.1.6/0", u"Interface Speed=100Mb/s/0"});
}

TEST_F(AdaptersPageTest, TheDetailViewLeavesOutWhatTheAdapterAndHostLack) {
    json scenario = kOffice;
    scenario["host"].erase("domain");
    StartFrame(scenario.dump());
    ExpectDetails(1, {u"Host=pocket/5", u"IP Address=192.168.7.9/4", u"Subnet Mask=255.255.255.0/0",
                      u"DHCP Server=Disabled/2", u"DNS Server=192.168.1.2/3",
                      u"DNS Server 2=192.168.1.3/3", u"Interface Speed=0 b/s/0"});
}

TEST_F(AdaptersPageTest, NoAdaptersLeavesEverythingEmptyInBothViews) {
    json scenario = kOffice;
    scenario.erase("adapters");
    scenario.erase("dhcpServers");
    StartFrame(scenario.dump());
    EXPECT_TRUE(ComboTexts().empty());
    EXPECT_EQ(Summary(), Lines(6)) << "the template's placeholders are gone too";
    EXPECT_EQ(EnabledButtons(), 0);
    TapItem(IDC_DETAIL_VIEW);
    EXPECT_TRUE(Rows().empty());
}

TEST_F(AdaptersPageTest, ReleaseThenRenewShowTheAddressGoneThenTheNewLease) {
    StartFrame(kOffice.dump());
    const HCURSOR before = GetCursor();
    TapItem(IDC_RELEASE_DHCP);
    EXPECT_EQ(ItemText(IDC_IP_ADDRESS), u"0.0.0.0");
    EXPECT_EQ(GetCursor(), before) << "the wait cursor goes again";
    EXPECT_EQ(EnabledButtons(), 2) << "a released adapter can be renewed";
    TapItem(IDC_RENEW_DHCP);
    EXPECT_EQ(ItemText(IDC_IP_ADDRESS), u"192.168.1.57");
    EXPECT_EQ(ItemText(IDC_DHCP_SERVER), u"192.168.1.254");
}

TEST_F(AdaptersPageTest, ShowingThePageLowersTheInputPanel) {
    StartFrame(kOffice.dump(), kPingTab);
    const HWND panel = platform::shell::ShellWindows::Instance().InputPanel();
    ASSERT_TRUE(SHSipPreference(PageWindow(kPingTab), SIP_UP));
    ASSERT_TRUE(IsWindowVisible(panel));
    ChooseTab(kSummaryTab);
    EXPECT_FALSE(IsWindowVisible(panel));
}

}  // namespace
}  // namespace tessalink::test
