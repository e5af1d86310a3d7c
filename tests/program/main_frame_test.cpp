// The main frame made from the program's own resources, with the real controls and
// shell: its layout above the menu bar, tab switching, the pages' relayed
// notifications, and the frame's filter between the queue and the visible page.
#include "shell/MainFrame.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "program/program_frame.h"
#include "user/posted_input.h"

namespace tessalink::test {
namespace {

RECT RectIn(HWND window, HWND parent) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class MainFrameTest : public ProgramFrameTest {
  protected:
    void SetUp() override {
        StartFrame();
        window_ = Frame();
        tabs_ = Tabs();
    }

    HWND Page(int tab) const { return PageWindow(tab); }

    void TapTab(int tab) {
        RECT rect{};
        SendMessageW(tabs_, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&rect));
        POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ClientToScreen(tabs_, &centre);
        PostTap(centre);
        Pump();
    }

    std::vector<bool> Visibility() const {
        return {IsWindowVisible(Page(0)) != FALSE, IsWindowVisible(Page(1)) != FALSE,
                IsWindowVisible(Page(2)) != FALSE};
    }

    // Puts the tab strip somewhere no layout would, to see whether a layout follows.
    void DisplaceTabs() { SetWindowPos(tabs_, nullptr, 0, 0, 10, 10, SWP_NOZORDER); }
    bool TabsDisplaced() const {
        const RECT rect = RectIn(tabs_, window_);
        return rect.left == 0 && rect.top == 0 && rect.right == 10 && rect.bottom == 10;
    }

    HWND window_ = nullptr;
    HWND tabs_ = nullptr;
};

TEST_F(MainFrameTest, StartsOnTheSummaryPageWithTheTabsJustAboveTheMenuBar) {
    ASSERT_EQ(SendMessageW(tabs_, TCM_GETITEMCOUNT, 0, 0), 3);
    const std::u16string labels[] = {u"Summary", u"Ping", u"ARP"};
    for (int tab = 0; tab < 3; ++tab) {
        WCHAR text[32]{};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 32;
        SendMessageW(tabs_, TCM_GETITEMW, tab, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(std::u16string(text), labels[tab]);
        EXPECT_EQ(GetParent(Page(tab)), window_) << "each tab carries its page, a child";
    }
    EXPECT_EQ(Visibility(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0), 0);

    RECT client{};
    GetClientRect(window_, &client);
    RECT tab{};
    SendMessageW(tabs_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    const HWND menuBar = FindWindowW(u"MenuBar", nullptr);
    ASSERT_NE(menuBar, nullptr);
    RECT menu{};
    GetClientRect(menuBar, &menu);

    const RECT strip = RectIn(tabs_, window_);
    EXPECT_EQ(strip.left, client.left - 1) << "one pixel outside the client area";
    EXPECT_EQ(strip.right, client.right);
    EXPECT_EQ(strip.bottom, client.bottom - (menu.bottom - menu.top));
    EXPECT_EQ(strip.bottom - strip.top, tab.bottom - tab.top + 2);
    const RECT page = RectIn(Page(0), window_);
    EXPECT_EQ(page.left, client.left);
    EXPECT_EQ(page.top, client.top);
    EXPECT_EQ(page.right, client.right);
    EXPECT_EQ(page.bottom, strip.top) << "the page ends where the tabs begin";
}

TEST_F(MainFrameTest, ATabShowsItsPageAndReselectingTheCurrentPageChangesNothing) {
    TapTab(1);
    EXPECT_EQ(Visibility(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(RectIn(Page(1), window_).bottom, RectIn(tabs_, window_).top);

    DisplaceTabs();
    NMHDR selection{tabs_, kTabControlId, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(window_, WM_NOTIFY, kTabControlId, reinterpret_cast<LPARAM>(&selection));
    EXPECT_TRUE(TabsDisplaced()) << "no layout for the page already shown";
    EXPECT_EQ(Visibility(), (std::vector<bool>{false, true, false}));

    SendMessageW(tabs_, TCM_SETCURSEL, 2, 0);
    SendMessageW(window_, WM_NOTIFY, kTabControlId, reinterpret_cast<LPARAM>(&selection));
    EXPECT_EQ(Visibility(), (std::vector<bool>{false, false, true}));
    EXPECT_FALSE(TabsDisplaced()) << "a switch lays out again";
}

TEST_F(MainFrameTest, MinimisingKeepsTheLayoutAndRestoringRedoesIt) {
    DisplaceTabs();
    SendMessageW(window_, WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_TRUE(TabsDisplaced());
    SendMessageW(window_, WM_SIZE, SIZE_RESTORED, 0);
    EXPECT_FALSE(TabsDisplaced());
}

TEST_F(MainFrameTest, PageNotificationsReachEveryOtherPageButNeverTheSender) {
    for (int tab = 0; tab < 3; ++tab) {
        Record(Page(tab), Relays());
    }
    const auto sender = [this](int tab) { return reinterpret_cast<WPARAM>(Page(tab)); };

    SendMessageW(window_, WM_ADAPTER_SELECTED, sender(0), 1234);
    ASSERT_EQ(Recorded().size(), 2u);
    EXPECT_EQ(Recorded()[0].window, Page(1));
    EXPECT_EQ(Recorded()[1].window, Page(2));
    for (const ReceivedMessage& r : Recorded()) {
        EXPECT_EQ(r.message, static_cast<UINT>(WM_ADAPTER_SELECTED));
        EXPECT_EQ(r.wParam, sender(0));
        EXPECT_EQ(r.lParam, 1234);
    }

    Recorded().clear();
    PostMessageW(window_, WM_ADAPTERS_REFRESHED, sender(2), 0);
    Pump();
    ASSERT_EQ(Recorded().size(), 2u);
    EXPECT_EQ(Recorded()[0].window, Page(0));
    EXPECT_EQ(Recorded()[1].window, Page(1));
    EXPECT_EQ(Recorded()[0].message, static_cast<UINT>(WM_ADAPTERS_REFRESHED));
}

TEST_F(MainFrameTest, TheAcceleratorKeysAreSwallowedEvenWhileAPageEditHasTheFocus) {
    TapTab(1);
    const HWND address = GetDlgItem(Page(1), IDC_ADDRESS);
    const HWND edit = GetWindow(address, GW_CHILD);
    ASSERT_NE(edit, nullptr) << "the address box is an editable combo box";
    SetFocus(edit);
    Record(edit, {WM_KEYDOWN});

    const auto chord = [](std::initializer_list<UINT> modifiers, UINT key) {
        for (UINT modifier : modifiers) {
            platform::user::PostKey(modifier, true);
        }
        PostKeyPress(key);
        for (UINT modifier : modifiers) {
            platform::user::PostKey(modifier, false);
        }
    };
    chord({VK_CONTROL}, 'N');
    chord({VK_CONTROL}, 'O');
    chord({VK_CONTROL}, 'S');
    chord({}, VK_F6);
    chord({VK_SHIFT}, VK_F6);
    chord({}, 'Q');
    Pump();

    std::vector<WPARAM> keys;
    for (const ReceivedMessage& r : Recorded()) {
        if (r.message == WM_KEYDOWN && r.wParam != VK_CONTROL && r.wParam != VK_SHIFT) {
            keys.push_back(r.wParam);
        }
    }
    EXPECT_EQ(keys, std::vector<WPARAM>{'Q'}) << "only the plain key reached the edit";
}

TEST_F(MainFrameTest, TabMovesOnlyAmongTheVisiblePageControls) {
    const HWND page = Page(0);
    SetFocus(GetDlgItem(page, IDC_ADAPTER_COMBO));
    std::vector<HWND> visited;
    for (int press = 0; press < 6; ++press) {
        PostKeyPress(VK_TAB);
        Pump();
        const HWND focus = GetFocus();
        EXPECT_TRUE(IsChild(page, focus)) << "press " << press;
        visited.push_back(focus);
    }
    EXPECT_NE(visited[0], visited[1]) << "the focus moved";
}

TEST_F(MainFrameTest, ExitClosesTheFrameAndQuitsWithOne) {
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
    EXPECT_EQ(Pump(), std::optional<WPARAM>(1));
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_EQ(FrameObject().Handle(), nullptr);
}

}  // namespace
}  // namespace tessalink::test
