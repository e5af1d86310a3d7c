// The Summary page inside the real main frame, over simulated networks: what each view
// shows for an adapter, the view switch, the DHCP buttons, "Refresh List", and how the
// page keeps the other pages on its adapter through the frame.
#include <aygshell.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "SimulatedDevice.h"
#include "adapters_page/page_frame.h"
#include "common/AdapterSnapshot.h"
#include "shell/shell_windows.h"

namespace tessalink::test {
namespace {

using app_test::Adapter;
using app_test::Ipv4;
using platform::net::sim::Scenario;
using platform::net::sim::SimAdapter;
using platform::net::sim::SimDhcpAnswer;
using platform::net::sim::SimDhcpServer;

struct Row {
    std::u16string label;
    std::u16string value;
    int image = 0;
    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << std::string(row.label.begin(), row.label.end()) << " = "
               << std::string(row.value.begin(), row.value.end()) << " (" << row.image << ")";
}

// A DHCP adapter with three addresses, two gateways and WINS.
SimAdapter Cradle() {
    SimAdapter sim = Adapter(2, "NE20001", "NE2000 Compatible Ethernet Driver");
    sim.adapter.hardwareAddress = {0x00, 0x50, 0xbf, 0x12, 0x34, 0x56};
    sim.adapter.addresses = {{Ipv4(192, 168, 1, 20), Ipv4(255, 255, 255, 0)},
                             {Ipv4(10, 0, 0, 7), Ipv4(255, 0, 0, 0)},
                             {Ipv4(172, 16, 4, 1), Ipv4(255, 255, 0, 0)}};
    sim.adapter.gateways = {Ipv4(192, 168, 1, 1), Ipv4(10, 0, 0, 1)};
    sim.adapter.dhcpEnabled = true;
    sim.adapter.dhcpServer = Ipv4(192, 168, 1, 1);
    sim.adapter.leaseObtained = 1796457600;
    sim.adapter.leaseExpires = 1796457600 + 24 * 3600;
    sim.adapter.haveWins = true;
    sim.adapter.primaryWins = Ipv4(192, 168, 1, 5);
    sim.adapter.secondaryWins = Ipv4(192, 168, 1, 6);
    sim.speed = 100000000;
    return sim;
}

// No DHCP, one address, WINS texts filled but WINS off, no speed known, and neither a
// description nor a display name in the registry.
SimAdapter Wireless() {
    SimAdapter sim = Adapter(5, "WLAN1", "");
    sim.adapter.hardwareAddress = {0x00, 0x0c, 0x41, 0xaa, 0xbb, 0xcc};
    sim.adapter.addresses = {{Ipv4(192, 168, 7, 9), Ipv4(255, 255, 255, 0)}};
    sim.adapter.primaryWins = Ipv4(192, 168, 7, 5);
    sim.adapter.secondaryWins = Ipv4(192, 168, 7, 6);
    return sim;
}

Scenario Office() {
    Scenario scenario;
    scenario.adapters = {Cradle(), Wireless()};
    scenario.registry = {app_test::DisplayNameString(u"NE20001", u"Cradle Ethernet")};
    scenario.host.hostName = "pocket";
    scenario.host.domainName = "example.lan";
    scenario.host.dnsServers = {Ipv4(192, 168, 1, 2), Ipv4(192, 168, 1, 3)};
    scenario.timeZone = "UTC0";
    SimDhcpServer server;
    server.adapter = 2;
    server.answer = SimDhcpAnswer::AtOnce;
    server.server = Ipv4(192, 168, 1, 254);
    server.offer = {{Ipv4(192, 168, 1, 57), Ipv4(255, 255, 255, 0)}};
    server.leaseSeconds = 3600;
    scenario.dhcpServers = {server};
    return scenario;
}

class AdaptersPageTest : public PageFrame {
  protected:
    AdaptersPageTest() : PageFrame(0) {}

    void TearDown() override {
        PageFrame::TearDown();
        app_test::Uninstall();
        AdapterSnapshot::Instance().ReadAdapters();
    }

    // Makes the scenario the device's network, takes the snapshot as start-up does and
    // opens the frame on the Summary page, recording what the pages are relayed.
    void Start(Scenario scenario) {
        app_test::Install(std::move(scenario));
        StartFrame();
        ASSERT_NE(PageUnderTest(), nullptr);
        for (int tab = 0; tab < 3; ++tab) {
            Record(PageWindow(tab), Relays());
        }
        Pump();
    }

    std::vector<Row> Rows() const {
        std::vector<Row> rows;
        const HWND list = Item(IDC_SETTINGS_LIST);
        const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int index = 0; index < count; ++index) {
            Row row;
            WCHAR text[128] = {};
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_IMAGE;
            item.iItem = index;
            item.pszText = text;
            item.cchTextMax = 128;
            SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            row.label = text;
            row.image = item.iImage;
            item.iSubItem = 1;
            SendMessageW(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
            row.value = text;
            rows.push_back(row);
        }
        return rows;
    }

    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Visible(int id) const { return IsWindowVisible(Item(id)) != FALSE; }

    std::vector<std::u16string> SummaryValues() const {
        return {ItemText(IDC_MAC_ADDRESS),    ItemText(IDC_IP_ADDRESS),
                ItemText(IDC_DNS_SERVER),     ItemText(IDC_DHCP_SERVER),
                ItemText(IDC_LEASE_OBTAINED), ItemText(IDC_LEASE_EXPIRES)};
    }

    std::vector<ReceivedMessage> RelayedTo(HWND page) const {
        std::vector<ReceivedMessage> received;
        for (const ReceivedMessage& one : Recorded()) {
            if (one.window == page) {
                received.push_back(one);
            }
        }
        return received;
    }
};

// What the summary shows of the adapter at `item` of a network: MAC, IP, DNS and DHCP
// server; with a lease, its texts are the record's and the DHCP buttons are enabled.
struct SummaryCase {
    const char* name;
    Scenario (*network)();
    int item;
    std::vector<std::u16string> values;
    bool leased;
};

class AdaptersPageSummaryTest : public AdaptersPageTest,
                                public testing::WithParamInterface<SummaryCase> {};

TEST_P(AdaptersPageSummaryTest, ShowsTheAdaptersValues) {
    const SummaryCase& given = GetParam();
    Start(given.network());
    // The page starts on the first adapter by itself.
    if (given.item != 0) {
        ChooseAdapter(given.item);
    }
    const AdapterRecord& record = *AdapterSnapshot::Instance().AdapterAt(given.item);
    std::vector<std::u16string> expected = given.values;
    expected.emplace_back(given.leased ? record.leaseObtained : u"");
    expected.emplace_back(given.leased ? record.leaseExpires : u"");
    EXPECT_EQ(SummaryValues(), expected);
    EXPECT_NE(given.leased, ItemText(IDC_LEASE_OBTAINED).empty());
    EXPECT_EQ(Enabled(IDC_RELEASE_DHCP), given.leased);
    EXPECT_EQ(Enabled(IDC_RENEW_DHCP), given.leased);
    EXPECT_FALSE(Visible(IDC_SETTINGS_LIST));
}

INSTANTIATE_TEST_SUITE_P(
    Adapters, AdaptersPageSummaryTest,
    testing::Values(
        // Without a current DNS server the first configured one is shown.
        SummaryCase{"Cradle",
                    Office,
                    0,
                    {u"00-50-bf-12-34-56", u"192.168.1.20", u"192.168.1.2", u"192.168.1.1"},
                    true},
        SummaryCase{"CradleWithACurrentDnsServer",
                    [] {
                        Scenario scenario = Office();
                        scenario.host.currentDnsServer = Ipv4(192, 168, 1, 3);
                        return scenario;
                    },
                    0,
                    {u"00-50-bf-12-34-56", u"192.168.1.20", u"192.168.1.3", u"192.168.1.1"},
                    true},
        SummaryCase{"WirelessWithoutDhcp",
                    Office,
                    1,
                    {u"00-0c-41-aa-bb-cc", u"192.168.7.9", u"192.168.1.2", u"Disabled"},
                    false}),
    [](const testing::TestParamInfo<SummaryCase>& test) { return test.param.name; });

TEST_F(AdaptersPageTest, ListsTheAdaptersByDisplayNameAndStartsOnTheFirst) {
    Start(Office());
    EXPECT_EQ(ComboTexts(), (std::vector<std::u16string>{u"Cradle Ethernet", u"WLAN1"}))
        << "an adapter without a display name is listed by its adapter name";
    EXPECT_EQ(ComboSelection(), 0);
}

TEST_F(AdaptersPageTest, TheButtonsOfAnAdapterWithoutDhcpAskNothingOfTheNetwork) {
    Start(Office());
    ChooseAdapter(1);
    TapItem(IDC_RELEASE_DHCP);
    EXPECT_EQ(ItemText(IDC_IP_ADDRESS), u"192.168.7.9");

    // A record that says no DHCP for an adapter the network would release: a stray
    // command still asks nothing of the network.
    AdapterSnapshot::Instance().AdapterAt(0)->dhcpEnabled = FALSE;
    ChooseAdapter(0);
    SendMessageW(PageUnderTest(), WM_COMMAND, MAKEWPARAM(IDC_RELEASE_DHCP, BN_CLICKED), 0);
    AdapterSnapshot fresh;
    ASSERT_TRUE(fresh.ReadAdapters());
    EXPECT_EQ(std::u16string(fresh.AdapterAt(0)->ipAddresses[0].address), u"192.168.1.20");
    EXPECT_EQ(ItemText(IDC_IP_ADDRESS), u"192.168.1.20");
}

TEST_F(AdaptersPageTest, ReleaseThenRenewShowTheAddressGoneThenTheNewLease) {
    Start(Office());
    const HCURSOR before = GetCursor();
    TapItem(IDC_RELEASE_DHCP);
    EXPECT_EQ(ItemText(IDC_IP_ADDRESS), u"0.0.0.0");
    EXPECT_EQ(GetCursor(), before) << "the wait cursor goes again";

    TapItem(IDC_RENEW_DHCP);
    EXPECT_EQ(ItemText(IDC_IP_ADDRESS), u"192.168.1.57");
    EXPECT_EQ(ItemText(IDC_DHCP_SERVER), u"192.168.1.254");
    EXPECT_TRUE(Enabled(IDC_RELEASE_DHCP));
}

// Every row the detail view lists for the adapter at `item`, in order, after `change`
// (when given) altered its record; the lease rows, when there, hold the record's texts.
struct DetailCase {
    const char* name;
    Scenario (*network)();
    int item;
    void (*change)(AdapterRecord&);
    std::vector<Row> rows;
};

constexpr int kLeaseRowImage = -1;

class AdaptersPageDetailTest : public AdaptersPageTest,
                               public testing::WithParamInterface<DetailCase> {};

TEST_P(AdaptersPageDetailTest, ListsEverySettingInOrder) {
    const DetailCase& given = GetParam();
    Start(given.network());
    AdapterRecord& record = *AdapterSnapshot::Instance().AdapterAt(given.item);
    if (given.change) {
        given.change(record);
    }
    TapItem(IDC_DETAIL_VIEW);
    if (given.item != 0) {
        ChooseAdapter(given.item);
    }
    std::vector<Row> expected = given.rows;
    for (Row& row : expected) {
        if (row.image == kLeaseRowImage) {
            row.value = row.label == u"Lease Obtained" ? record.leaseObtained : record.leaseExpires;
            row.image = 0;
        }
    }
    EXPECT_EQ(Rows(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Adapters, AdaptersPageDetailTest,
    testing::Values(
        DetailCase{"CradleWithThreeAddressesTwoGatewaysAndWins",
                   Office,
                   0,
                   nullptr,
                   {
                       {u"Host", u"pocket", 5},
                       {u"Domain", u"example.lan", 0},
                       {u"IP Address", u"192.168.1.20", 4},
                       {u"Subnet Mask", u"255.255.255.0", 0},
                       {u"IP Address 2", u"10.0.0.7", 4},
                       {u"Subnet Mask 2", u"255.0.0.0", 0},
                       {u"IP Address 3", u"172.16.4.1", 4},
                       {u"Subnet Mask 3", u"255.255.0.0", 0},
                       {u"DHCP Server", u"192.168.1.1", 2},
                       {u"Lease Obtained", u"", kLeaseRowImage},
                       {u"Lease Expires", u"", kLeaseRowImage},
                       {u"Gateway", u"192.168.1.1", 6},
                       {u"Gateway 2", u"10.0.0.1", 6},
                       {u"DNS Server", u"192.168.1.2", 3},
                       {u"DNS Server 2", u"192.168.1.3", 3},
                       {u"Pri Wins", u"192.168.1.5", 0},
                       {u"Sec Wins", u"192.168.1.6", 0},
                       {u"Interface Speed", u"100Mb/s", 0},
                   }},
        // WINS texts filled but WINS off, no DHCP, speed 0; chosen while the list shows.
        DetailCase{"WirelessWithoutDhcpOrWinsOrSpeed",
                   Office,
                   1,
                   nullptr,
                   {
                       {u"Host", u"pocket", 5},
                       {u"Domain", u"example.lan", 0},
                       {u"IP Address", u"192.168.7.9", 4},
                       {u"Subnet Mask", u"255.255.255.0", 0},
                       {u"DHCP Server", u"Disabled", 2},
                       {u"DNS Server", u"192.168.1.2", 3},
                       {u"DNS Server 2", u"192.168.1.3", 3},
                       {u"Interface Speed", u"0 b/s", 0},
                   }},
        // No host name or domain, WINS on without servers, and an entry left empty in
        // the addresses and the gateways: the entries after a gap keep their numbers.
        DetailCase{"BareHostWithGaps",
                   [] {
                       Scenario scenario;
                       SimAdapter sim = Cradle();
                       sim.adapter.dhcpEnabled = false;
                       sim.adapter.primaryWins = 0;
                       sim.adapter.secondaryWins = 0;
                       scenario.adapters = {sim};
                       scenario.host.dnsServers = {Ipv4(192, 168, 1, 2)};
                       return scenario;
                   },
                   0,
                   [](AdapterRecord& record) {
                       record.ipAddresses[1] = {};
                       record.gateways[0][0] = 0;
                   },
                   {
                       {u"Host", u"", 5},
                       {u"IP Address", u"192.168.1.20", 4},
                       {u"Subnet Mask", u"255.255.255.0", 0},
                       {u"IP Address 3", u"172.16.4.1", 4},
                       {u"Subnet Mask 3", u"255.255.0.0", 0},
                       {u"DHCP Server", u"Disabled", 2},
                       {u"Gateway 2", u"10.0.0.1", 6},
                       {u"DNS Server", u"192.168.1.2", 3},
                       {u"Interface Speed", u"100Mb/s", 0},
                   }}),
    [](const testing::TestParamInfo<DetailCase>& test) { return test.param.name; });

TEST_F(AdaptersPageTest, LongNamesAreCutToFortyNineCharactersWithoutSplittingAPair) {
    Scenario scenario = Office();
    // 48 letters and then a character outside the basic plane: the pair would straddle
    // the cut.
    scenario.host.domainName = std::string(48, 'd') + "\xf0\x9f\x93\xb6" + "tail";
    scenario.host.hostName = std::string(140, 'h');
    Start(scenario);
    TapItem(IDC_DETAIL_VIEW);
    const std::vector<Row> rows = Rows();
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[0].value, std::u16string(49, u'h'));
    EXPECT_EQ(rows[1].value, std::u16string(48, u'd')) << "the pair goes whole";
}

TEST_F(AdaptersPageTest, ViewSwitchSwapsTheListForTheSummaryAndItsButtons) {
    Start(Office());
    RECT group{};
    GetWindowRect(Item(IDC_SUMMARY_GROUP), &group);
    RECT list{};
    GetWindowRect(Item(IDC_SETTINGS_LIST), &list);
    EXPECT_TRUE(EqualRect(&group, &list)) << "the list lies over the summary's group box";

    TapItem(IDC_DETAIL_VIEW);
    EXPECT_TRUE(Visible(IDC_SETTINGS_LIST));
    for (int id = IDC_SUMMARY_GROUP; id <= IDC_RENEW_DHCP; ++id) {
        EXPECT_FALSE(Visible(id)) << "control " << id;
    }
    // The adapter changes while the summary is hidden; back in it, the buttons follow.
    ChooseAdapter(1);
    TapItem(IDC_DETAIL_VIEW);
    EXPECT_FALSE(Visible(IDC_SETTINGS_LIST));
    for (int id = IDC_SUMMARY_GROUP; id <= IDC_RENEW_DHCP; ++id) {
        EXPECT_TRUE(Visible(id)) << "control " << id;
    }
    EXPECT_FALSE(Enabled(IDC_RELEASE_DHCP));
    EXPECT_FALSE(Enabled(IDC_RENEW_DHCP));
    EXPECT_EQ(ItemText(IDC_DHCP_SERVER), u"Disabled");

    ChooseAdapter(0);
    TapItem(IDC_DETAIL_VIEW);
    TapItem(IDC_DETAIL_VIEW);
    EXPECT_TRUE(Enabled(IDC_RELEASE_DHCP));
    EXPECT_TRUE(Enabled(IDC_RENEW_DHCP));
}

TEST_F(AdaptersPageTest, NoAdaptersLeavesEverythingEmptyInBothViews) {
    Scenario scenario = Office();
    scenario.adapters.clear();
    Start(scenario);
    const std::vector<std::u16string> empty(6);
    EXPECT_TRUE(ComboTexts().empty());
    EXPECT_EQ(ComboSelection(), CB_ERR);
    EXPECT_EQ(SummaryValues(), empty) << "the template's placeholders are gone too";
    EXPECT_FALSE(Enabled(IDC_RELEASE_DHCP));
    EXPECT_FALSE(Enabled(IDC_RENEW_DHCP));

    TapItem(IDC_DETAIL_VIEW);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(SummaryValues(), empty);
}

TEST_F(AdaptersPageTest, RefreshListKeepsTheAdapterByItsIndexOrFallsBackToTheFirst) {
    Start(Office());
    ChooseAdapter(1);
    Recorded().clear();

    // The wireless adapter is now listed first and a new one second.
    Scenario reordered = Office();
    reordered.adapters = {Wireless(), Adapter(9, "USB1", "USB Ethernet"), Cradle()};
    app_test::Install(reordered);
    TapItem(IDC_REFRESH_LIST);
    EXPECT_EQ(ComboTexts(),
              (std::vector<std::u16string>{u"WLAN1", u"USB Ethernet", u"Cradle Ethernet"}));
    EXPECT_EQ(ComboSelection(), 0);
    EXPECT_EQ(ItemText(IDC_IP_ADDRESS), u"192.168.7.9");
    // Posted to the frame, relayed to the two other pages, not back to this one.
    EXPECT_TRUE(RelayedTo(PageUnderTest()).empty());
    for (int tab = 1; tab < 3; ++tab) {
        const std::vector<ReceivedMessage> received = RelayedTo(PageWindow(tab));
        ASSERT_EQ(received.size(), 1u) << "tab " << tab;
        EXPECT_EQ(received[0].message, static_cast<UINT>(WM_ADAPTERS_REFRESHED));
        EXPECT_EQ(received[0].wParam, reinterpret_cast<WPARAM>(PageUnderTest()));
    }

    ChooseAdapter(2);
    Scenario without = Office();
    without.adapters = {Wireless()};
    app_test::Install(without);
    TapItem(IDC_REFRESH_LIST);
    EXPECT_EQ(ComboTexts(), (std::vector<std::u16string>{u"WLAN1"}));
    EXPECT_EQ(ComboSelection(), 0);
    EXPECT_EQ(ItemText(IDC_DHCP_SERVER), u"Disabled");
}

TEST_F(AdaptersPageTest, ChoosingAnAdapterTellsTheOtherPagesAndNothingComesBack) {
    Start(Office());
    ChooseAdapter(1);
    const LPARAM wireless = reinterpret_cast<LPARAM>(AdapterSnapshot::Instance().AdapterAt(1));
    EXPECT_TRUE(RelayedTo(PageUnderTest()).empty());
    for (int tab = 1; tab < 3; ++tab) {
        const std::vector<ReceivedMessage> received = RelayedTo(PageWindow(tab));
        ASSERT_EQ(received.size(), 1u) << "tab " << tab;
        EXPECT_EQ(received[0].message, static_cast<UINT>(WM_ADAPTER_SELECTED));
        EXPECT_EQ(received[0].lParam, wireless);
    }
}

TEST_F(AdaptersPageTest, AnAdapterChosenOnAnotherPageIsShownAtOnce) {
    Start(Office());
    const HWND arpPage = PageWindow(2);
    AdapterSnapshot& snapshot = AdapterSnapshot::Instance();
    SendMessageW(Frame(), WM_ADAPTER_SELECTED, reinterpret_cast<WPARAM>(arpPage),
                 reinterpret_cast<LPARAM>(snapshot.AdapterAt(1)));
    EXPECT_EQ(ComboSelection(), 1);
    EXPECT_EQ(ItemText(IDC_DHCP_SERVER), u"Disabled");
    EXPECT_TRUE(RelayedTo(arpPage).empty()) << "the sender gets nothing back";

    // A record the combo does not hold keeps the selection.
    AdapterRecord stranger;
    SendMessageW(Frame(), WM_ADAPTER_SELECTED, reinterpret_cast<WPARAM>(arpPage),
                 reinterpret_cast<LPARAM>(&stranger));
    EXPECT_EQ(ComboSelection(), 1);
    EXPECT_EQ(ItemText(IDC_IP_ADDRESS), u"192.168.7.9");
}

TEST_F(AdaptersPageTest, AdaptersRefreshedElsewhereRefillTheCombo) {
    Start(Office());
    ChooseAdapter(1);
    Scenario reordered = Office();
    reordered.adapters = {Wireless(), Cradle()};
    app_test::Install(reordered);
    AdapterSnapshot::Instance().ReadAdapters();
    PostMessageW(Frame(), WM_ADAPTERS_REFRESHED, reinterpret_cast<WPARAM>(PageWindow(2)), 0);
    Pump();
    EXPECT_EQ(ComboTexts(), (std::vector<std::u16string>{u"WLAN1", u"Cradle Ethernet"}));
    EXPECT_EQ(ComboSelection(), 0);
    EXPECT_EQ(ItemText(IDC_IP_ADDRESS), u"192.168.7.9");
}

TEST_F(AdaptersPageTest, ShowingThePageLowersTheInputPanel) {
    Start(Office());
    ChooseTab(1);
    const HWND panel = platform::shell::ShellWindows::Instance().InputPanel();
    ASSERT_TRUE(SHSipPreference(PageWindow(1), SIP_UP));
    ASSERT_TRUE(IsWindowVisible(panel));
    ChooseTab(0);
    EXPECT_FALSE(IsWindowVisible(panel));
}

}  // namespace
}  // namespace tessalink::test
