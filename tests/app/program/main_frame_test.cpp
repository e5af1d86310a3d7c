// The main frame made from the program's own resources, with the real controls and
// shell: its layout above the menu bar, tab switching, the pages' relayed
// notifications, and the frame's filter between the queue and the visible page.
#include "program/MainFrame.h"

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
    void SetUp() override { StartFrame(); }

    void TapTab(int tab) {
        RECT rect{};
        SendMessageW(Tabs(), TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&rect));
        POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ClientToScreen(Tabs(), &centre);
        PostTap(centre);
        Pump();
    }

    std::vector<bool> Visibility() const {
        return {IsWindowVisible(PageWindow(0)) != FALSE, IsWindowVisible(PageWindow(1)) != FALSE,
                IsWindowVisible(PageWindow(2)) != FALSE};
    }

    // Puts the tab strip somewhere no layout would, to see whether a layout follows.
    void DisplaceTabs() { SetWindowPos(Tabs(), nullptr, 0, 0, 10, 10, SWP_NOZORDER); }
    bool TabsDisplaced() const {
        const RECT rect = RectIn(Tabs(), Frame());
        const RECT displaced{0, 0, 10, 10};
        return EqualRect(&rect, &displaced);
    }
};

TEST_F(MainFrameTest, StartsOnTheSummaryPageWithTheTabsJustAboveTheMenuBar) {
    ASSERT_EQ(SendMessageW(Tabs(), TCM_GETITEMCOUNT, 0, 0), 3);
    for (int tab = 0; tab < 3; ++tab) {
        EXPECT_EQ(GetParent(PageWindow(tab)), Frame()) << "each tab carries its page, a child";
    }
    EXPECT_EQ(Visibility(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(SendMessageW(Tabs(), TCM_GETCURSEL, 0, 0), 0);

    RECT client{};
    GetClientRect(Frame(), &client);
    RECT tab{};
    SendMessageW(Tabs(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    const HWND menuBar = FindWindowW(u"MenuBar", nullptr);
    ASSERT_NE(menuBar, nullptr);
    RECT menu{};
    GetClientRect(menuBar, &menu);

    const RECT strip = RectIn(Tabs(), Frame());
    EXPECT_EQ(strip.left, client.left - 1) << "one pixel outside the client area";
    EXPECT_EQ(strip.right, client.right);
    EXPECT_EQ(strip.bottom, client.bottom - (menu.bottom - menu.top));
    EXPECT_EQ(strip.bottom - strip.top, tab.bottom - tab.top + 2);
    // The page fills the client area down to where the tabs begin.
    const RECT page = RectIn(PageWindow(0), Frame());
    const RECT aboveTabs{client.left, client.top, client.right, strip.top};
    EXPECT_TRUE(EqualRect(&page, &aboveTabs));
}

TEST_F(MainFrameTest, ATabShowsItsPageAndReselectingTheCurrentPageChangesNothing) {
    TapTab(1);
    EXPECT_EQ(Visibility(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(RectIn(PageWindow(1), Frame()).bottom, RectIn(Tabs(), Frame()).top);

    DisplaceTabs();
    ChooseTab(1);
    EXPECT_TRUE(TabsDisplaced()) << "no layout for the page already shown";
    EXPECT_EQ(Visibility(), (std::vector<bool>{false, true, false}));

    ChooseTab(2);
    EXPECT_EQ(Visibility(), (std::vector<bool>{false, false, true}));
    EXPECT_FALSE(TabsDisplaced()) << "a switch lays out again";
}

TEST_F(MainFrameTest, MinimisingKeepsTheLayoutAndRestoringRedoesIt) {
    DisplaceTabs();
    SendMessageW(Frame(), WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_TRUE(TabsDisplaced());
    SendMessageW(Frame(), WM_SIZE, SIZE_RESTORED, 0);
    EXPECT_FALSE(TabsDisplaced());
}

TEST_F(MainFrameTest, PageNotificationsReachEveryOtherPageButNeverTheSender) {
    for (int tab = 0; tab < 3; ++tab) {
        Record(PageWindow(tab), Relays());
    }
    const auto sender = [this](int tab) { return reinterpret_cast<WPARAM>(PageWindow(tab)); };

    SendMessageW(Frame(), WM_ADAPTER_SELECTED, sender(0), 1234);
    ASSERT_EQ(Recorded().size(), 2u);
    EXPECT_EQ(Recorded()[0].window, PageWindow(1));
    EXPECT_EQ(Recorded()[1].window, PageWindow(2));
    for (const ReceivedMessage& r : Recorded()) {
        EXPECT_EQ(r.message, static_cast<UINT>(WM_ADAPTER_SELECTED));
        EXPECT_EQ(r.wParam, sender(0));
        EXPECT_EQ(r.lParam, 1234);
    }

    Recorded().clear();
    PostMessageW(Frame(), WM_ADAPTERS_REFRESHED, sender(2), 0);
    Pump();
    ASSERT_EQ(Recorded().size(), 2u);
    EXPECT_EQ(Recorded()[0].window, PageWindow(0));
    EXPECT_EQ(Recorded()[1].window, PageWindow(1));
    EXPECT_EQ(Recorded()[0].message, static_cast<UINT>(WM_ADAPTERS_REFRESHED));
}

TEST_F(MainFrameTest, TheAcceleratorKeysAreSwallowedEvenWhileAPageEditHasTheFocus) {
    TapTab(1);
    const HWND address = GetDlgItem(PageWindow(1), IDC_ADDRESS);
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
    const HWND page = PageWindow(0);
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
    PostMessageW(Frame(), WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
    EXPECT_EQ(Pump(), std::optional<WPARAM>(1));
    EXPECT_FALSE(IsWindow(Frame()));
    EXPECT_EQ(FrameObject().Handle(), nullptr);
}

}  // namespace
}  // namespace tessalink::test
