// The main frame made from the program's own resources, with the real controls and
// shell: tab switching and the layout that follows, and its part in the message loop
// between the queue and the visible page. Its first layout and "Exit" are the program's
// end-to-end tests; the pages' relayed notifications are the adapter choice's to test.
#include "program/MainFrame.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "framework/Module.h"
#include "support/message_log.h"
#include "support/program_frame.h"
#include "user/posted_input.h"

namespace tessalink::test {
namespace {

RECT RectIn(HWND window, HWND parent) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class MainFrameTest : public ProgramFrame {
  protected:
    void SetUp() override { StartFrame("{}"); }

    std::vector<bool> Visibility() const {
        return {IsWindowVisible(PageWindow(0)) != FALSE, IsWindowVisible(PageWindow(1)) != FALSE,
                IsWindowVisible(PageWindow(2)) != FALSE};
    }
    // Puts the tab strip somewhere no layout would, to see whether a layout follows.
    void DisplaceTabs() { SetWindowPos(Tabs(), nullptr, 0, 0, 10, 10, SWP_NOZORDER); }
    bool TabsDisplaced() const { return RectIn(Tabs(), Frame()).right == 10; }
};

TEST_F(MainFrameTest, ATappedTabShowsItsPageAndReselectingTheCurrentPageChangesNothing) {
    RECT tab{};
    SendMessageW(Tabs(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    EXPECT_EQ(Visibility(), (std::vector<bool>{true, false, false}));
    TapAt(Tabs(), {(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
    EXPECT_EQ(Visibility(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(RectIn(PageWindow(1), Frame()).bottom, RectIn(Tabs(), Frame()).top);

    DisplaceTabs();
    ChooseTab(kPingTab);
    EXPECT_TRUE(TabsDisplaced()) << "no layout for the page already shown";
    ChooseTab(kArpTab);
    EXPECT_EQ(Visibility(), (std::vector<bool>{false, false, true}));
    EXPECT_FALSE(TabsDisplaced()) << "a switch lays out again";

    DisplaceTabs();
    SendMessageW(Frame(), WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_TRUE(TabsDisplaced()) << "minimising keeps the layout";
    SendMessageW(Frame(), WM_SIZE, SIZE_RESTORED, 0);
    EXPECT_FALSE(TabsDisplaced());
}

TEST_F(MainFrameTest, AnAcceleratorBecomesACommandEvenWhileAPageEditHasTheFocus) {
    ChooseTab(kPingTab);
    const HWND edit = GetWindow(GetDlgItem(PageWindow(kPingTab), IDC_ADDRESS), GW_CHILD);
    ASSERT_NE(edit, nullptr) << "the address box is an editable combo box";
    SetFocus(edit);
    RecordMessages(edit, {WM_KEYDOWN});
    RecordMessages(Frame(), {WM_COMMAND});
    platform::user::PostKey(VK_CONTROL, true);
    PostKeyPress('N');
    platform::user::PostKey(VK_CONTROL, false);
    PostKeyPress('Q');
    Pump();
    std::vector<WPARAM> keys;
    for (const RecordedMessage& r : RecordedOf(WM_KEYDOWN)) {
        keys.push_back(r.wParam);
    }
    EXPECT_EQ(keys, (std::vector<WPARAM>{VK_CONTROL, 'Q'})) << "the plain key reached the edit";
    ASSERT_EQ(RecordedOf(WM_COMMAND).size(), 1u);
    EXPECT_EQ(LOWORD(RecordedOf(WM_COMMAND)[0].wParam), ID_FILE_NEW);
}

TEST_F(MainFrameTest, TabMovesOnlyAmongTheVisiblePageControls) {
    const HWND page = PageWindow(0);
    SetFocus(GetDlgItem(page, IDC_ADAPTER_COMBO));
    std::vector<HWND> visited;
    for (int press = 0; press < 6; ++press) {
        PostKeyPress(VK_TAB);
        Pump();
        EXPECT_TRUE(IsChild(page, GetFocus())) << "press " << press;
        visited.push_back(GetFocus());
    }
    EXPECT_NE(visited[0], visited[1]) << "the focus moved";
}

TEST_F(MainFrameTest, AFrameTakesPartInTheIdlePassesOfItsThreadsLoop) {
    // A frame of its own, registered with the loop as it is made, counts its passes.
    struct IdleCountingFrame : MainFrame {
        BOOL OnIdle() override {
            ++passes;
            return FALSE;
        }
        int passes = 0;
    } frame;
    ASSERT_NE(frame.CreateFrame(), nullptr);
    struct QuitWhenIdle : IdleHandler {
        BOOL OnIdle() override {
            PostQuitMessage(0);
            return FALSE;
        }
    } quit;
    MessageLoop& loop = *Module::Process().GetMessageLoop(GetCurrentThreadId());
    loop.AddIdleHandler(&quit);
    loop.Run();
    EXPECT_EQ(frame.passes, 1);
}

}  // namespace
}  // namespace tessalink::test
