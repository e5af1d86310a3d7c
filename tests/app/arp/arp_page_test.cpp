// The ARP page in the running frame, over simulated networks: what it lists for the
// chosen adapter, a tapped row's details, the timer's refresh, "Refresh List", and the
// adapter choice kept with the other pages through the frame.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "SimulatedDevice.h"
#include "arp/ArpPage.h"
#include "arp_page_frame.h"
#include "common/AdapterSnapshot.h"
#include "user/posted_input.h"

namespace tessalink::test {
namespace {

using app_test::Adapter;
using app_test::Ipv4;
using app_test::Neighbour;
using platform::net::sim::QueryFailure;
using platform::net::sim::Scenario;
using platform::net::sim::SimQuery;

constexpr DWORD kEthernet = 2;
constexpr DWORD kWireless = 3;

// Two adapters: one with a dynamic row and a row of an unknown type without a hardware
// address, one (named only by its adapter name) with no rows at all.
Scenario TwoAdapters() {
    Scenario scenario;
    scenario.adapters = {Adapter(kEthernet, "eth0", "Ethernet A"), Adapter(kWireless, "wlan0", "")};
    scenario.neighbours = {
        Neighbour(kEthernet, Ipv4(10, 0, 0, 1), 3, {0x00, 0x0a, 0x95, 0x9d, 0x68, 0x16}),
        Neighbour(kEthernet, Ipv4(10, 0, 0, 3), 7, {}),
    };
    return scenario;
}

class ArpPageTest : public ArpPageFrame {
  protected:
    void StartOn(Scenario scenario) {
        app_test::Install(std::move(scenario));
        StartFrame();
    }

    void TearDown() override {
        ArpPageFrame::TearDown();
        app_test::Uninstall();
    }

    void Tick(UINT_PTR timer) { SendMessageW(ArpPage(), WM_TIMER, timer, 0); }
};

TEST_F(ArpPageTest, StartsOnTheFirstAdapterWithItsRowsAndTheRefreshTimerRunning) {
    StartOn(TwoAdapters());
    EXPECT_EQ(ComboTexts(), (std::vector<std::u16string>{u"Ethernet A", u"wlan0"}))
        << "an adapter without a display name goes by its adapter name";
    EXPECT_EQ(ComboSelection(), 0);
    EXPECT_EQ(ListTexts(), (std::vector<std::u16string>{u"10.0.0.1", u"10.0.0.3"}));

    RECT list{};
    GetClientRect(Item(IDC_ARP_LIST), &list);
    const LRESULT width = SendMessageW(Item(IDC_ARP_LIST), LVM_GETCOLUMNWIDTH, 0, 0);
    EXPECT_GT(width, 10) << "the one column is widened to span the list";
    EXPECT_LE(width, list.right);

    EXPECT_TRUE(KillTimer(ArpPage(), ArpPage::kRefreshTimerId)) << "the timer was started";
}

TEST_F(ArpPageTest, ATappedRowShowsItsDetailsUntilAnotherRowIsTapped) {
    StartOn(TwoAdapters());
    TapRow(0);
    EXPECT_EQ(Details(),
              u"Mac Address : 00-0a-95-9d-68-16\r\n   IP Address : 10.0.0.1\r\n            Type : "
              u"Dynamic");
    TapRow(1);
    EXPECT_EQ(Details(),
              u"Mac Address : \r\n   IP Address : 10.0.0.3\r\n            Type : Unknown");

    // The keyboard moves the selection without a tap: the details stay.
    const std::u16string shown = Details();
    SetFocus(Item(IDC_ARP_LIST));
    PostKeyPress(VK_UP);
    Pump();
    EXPECT_EQ(
        SendMessageW(Item(IDC_ARP_LIST), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED),
        0);
    EXPECT_EQ(Details(), shown);
}

TEST_F(ArpPageTest, AnAdapterWithoutRowsListsNoneWhichShowsNothingWhenTapped) {
    StartOn(TwoAdapters());
    TapRow(0);
    const std::u16string shown = Details();

    ChooseAdapter(1);
    EXPECT_EQ(ListTexts(), (std::vector<std::u16string>{u"None"}));
    EXPECT_EQ(Details(), shown) << "a refill keeps the details";
    TapRow(0);
    EXPECT_EQ(Details(), shown);
}

TEST_F(ArpPageTest, OnlyTheRefreshTimerReReadsTheTable) {
    StartOn(TwoAdapters());
    Scenario grown = TwoAdapters();
    grown.neighbours.push_back(Neighbour(kEthernet, Ipv4(10, 0, 0, 9), 4, {1, 2, 3, 4, 5, 6}));
    app_test::Install(grown);

    Tick(ArpPage::kRefreshTimerId + 1);
    EXPECT_EQ(ListTexts(), (std::vector<std::u16string>{u"10.0.0.1", u"10.0.0.3"}));
    Tick(ArpPage::kRefreshTimerId);
    EXPECT_EQ(ListTexts(), (std::vector<std::u16string>{u"10.0.0.1", u"10.0.0.3", u"10.0.0.9"}));

    Scenario failing = TwoAdapters();
    failing.failures.push_back(QueryFailure{SimQuery::Neighbours, ERROR_GEN_FAILURE, 2});
    app_test::Install(failing);
    Tick(ArpPage::kRefreshTimerId);
    EXPECT_EQ(ListTexts(), (std::vector<std::u16string>{u"None"})) << "an unreadable table";
}

TEST_F(ArpPageTest, WithoutAdaptersEveryRowIsListed) {
    Scenario scenario = TwoAdapters();
    scenario.adapters.clear();
    scenario.neighbours.push_back(Neighbour(kWireless, Ipv4(10, 0, 0, 2), 4, {1, 2, 3, 4, 5, 6}));
    StartOn(scenario);
    EXPECT_TRUE(ComboTexts().empty());
    EXPECT_EQ(ComboSelection(), CB_ERR);
    EXPECT_EQ(ListTexts(), (std::vector<std::u16string>{u"10.0.0.1", u"10.0.0.2", u"10.0.0.3"}));
}

TEST_F(ArpPageTest, ChoosingAnAdapterHereReachesTheOtherPagesButNeverComesBack) {
    StartOn(TwoAdapters());
    for (int tab = 0; tab < 3; ++tab) {
        Record(PageWindow(tab), Relays());
    }
    ChooseAdapter(1);
    ASSERT_EQ(Recorded().size(), 2u);
    for (int page = 0; page < 2; ++page) {
        EXPECT_EQ(Recorded()[page].window, PageWindow(page));
        EXPECT_EQ(Recorded()[page].message, static_cast<UINT>(WM_ADAPTER_SELECTED));
        EXPECT_EQ(Recorded()[page].wParam, reinterpret_cast<WPARAM>(ArpPage()));
        EXPECT_EQ(Recorded()[page].lParam,
                  reinterpret_cast<LPARAM>(AdapterSnapshot::Instance().AdapterAt(1)));
    }
    EXPECT_EQ(ListTexts(), (std::vector<std::u16string>{u"None"}));
}

TEST_F(ArpPageTest, AnAdapterChosenOnAnotherPageIsSelectedHereByIdentity) {
    StartOn(TwoAdapters());
    const HWND summary = PageWindow(0);
    SendMessageW(Frame(), WM_ADAPTER_SELECTED, reinterpret_cast<WPARAM>(summary),
                 reinterpret_cast<LPARAM>(AdapterSnapshot::Instance().AdapterAt(1)));
    EXPECT_EQ(ComboSelection(), 1);
    EXPECT_EQ(ListTexts(), (std::vector<std::u16string>{u"None"}));

    // A copy of the first record is not the record: the selection stays.
    AdapterRecord copy = *AdapterSnapshot::Instance().AdapterAt(0);
    SendMessageW(Frame(), WM_ADAPTER_SELECTED, reinterpret_cast<WPARAM>(summary),
                 reinterpret_cast<LPARAM>(&copy));
    EXPECT_EQ(ComboSelection(), 1);
    EXPECT_EQ(ListTexts(), (std::vector<std::u16string>{u"None"}));
}

TEST_F(ArpPageTest, RefreshListKeepsTheAdapterByItsIndexAndTellsTheOtherPages) {
    StartOn(TwoAdapters());
    ChooseAdapter(1);
    for (int tab = 0; tab < 3; ++tab) {
        Record(PageWindow(tab), Relays());
    }

    // The wireless adapter moves to the end behind a new one, and gains a row.
    Scenario moved = TwoAdapters();
    moved.adapters.push_back(moved.adapters[1]);
    moved.adapters[1] = Adapter(7, "usb0", "USB link");
    moved.neighbours.push_back(Neighbour(kWireless, Ipv4(10, 0, 0, 4), 3, {1, 2, 3, 4, 5, 6}));
    app_test::Install(moved);
    TapItem(IDC_REFRESH_LIST);
    EXPECT_EQ(ComboTexts(), (std::vector<std::u16string>{u"Ethernet A", u"USB link", u"wlan0"}));
    EXPECT_EQ(ComboSelection(), 2);
    EXPECT_EQ(ListTexts(), (std::vector<std::u16string>{u"10.0.0.4"}));
    ASSERT_EQ(Recorded().size(), 2u) << "posted to the frame, relayed to the two other pages";
    EXPECT_EQ(Recorded()[0].window, PageWindow(0));
    EXPECT_EQ(Recorded()[1].window, PageWindow(1));
    EXPECT_EQ(Recorded()[0].message, static_cast<UINT>(WM_ADAPTERS_REFRESHED));

    // Another page retook the snapshot without the chosen adapter: the first is chosen.
    Scenario gone = TwoAdapters();
    gone.adapters.pop_back();
    app_test::Install(gone);
    AdapterSnapshot::Instance().ReadAdapters();
    SendMessageW(Frame(), WM_ADAPTERS_REFRESHED, reinterpret_cast<WPARAM>(PageWindow(0)), 0);
    EXPECT_EQ(ComboTexts(), (std::vector<std::u16string>{u"Ethernet A"}));
    EXPECT_EQ(ComboSelection(), 0);
    EXPECT_EQ(ListTexts(), (std::vector<std::u16string>{u"10.0.0.1", u"10.0.0.3"}));
}

}  // namespace
}  // namespace tessalink::test
