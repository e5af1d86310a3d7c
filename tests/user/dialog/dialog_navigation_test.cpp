// The dialog's keyboard: Tab and Shift+Tab over tab stops, arrows within a group, Enter
// and Escape, the default push button following the focus, and the keys a control keeps
// for itself through WM_GETDLGCODE.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include "dialog_fixture.h"
#include "user/input/input_sink.h"
#include "user/posted_input.h"

namespace tessalink::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The page of template 100 in a frame, its first messages handled; keys are pressed
// through the input sink and the dialog's own message handling.
class DialogNavigationTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        frame_ = CreateFrame();
        page_ = CreatePage(frame_);
        ASSERT_NE(page_, nullptr);
        PumpDialog(page_);
        TakeTrace();
    }

    // Presses the key and returns what it traced.
    std::vector<std::string> Pressed(UINT key, bool shifted = false) {
        if (shifted) {
            platform::user::PostKey(VK_SHIFT, true);
        }
        PostKeyPress(key);
        if (shifted) {
            platform::user::PostKey(VK_SHIFT, false);
        }
        PumpDialog(page_);
        return TakeTrace();
    }

    // Presses the key and returns the window that has the focus then.
    HWND FocusAfter(UINT key, bool shifted = false) {
        Pressed(key, shifted);
        return GetFocus();
    }

    void FocusItem(int id) {
        SendMessageW(page_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
        TakeTrace();
    }

    HWND Item(int id) const { return GetDlgItem(page_, id); }

    HWND frame_ = nullptr;
    HWND page_ = nullptr;
};

TEST_F(DialogNavigationTest, TabVisitsTabStopsInOrderAndMovesTheDefaultButton) {
    ASSERT_EQ(GetFocus(), Item(10));
    // "two" is no tab stop and "three" is disabled.
    EXPECT_EQ(FocusAfter(VK_TAB), Item(11));
    EXPECT_EQ(FocusAfter(VK_TAB), Item(IDOK));
    // A plain push button with the focus is drawn as the default one.
    EXPECT_THAT(Pressed(VK_TAB), ElementsAre("ok WM_KILLFOCUS", "cancel WM_SETFOCUS",
                                             "ok BM_SETSTYLE 0", "cancel BM_SETSTYLE 1"));
    // Round to the edit, whose text is selected; the default returns to OK.
    EXPECT_THAT(Pressed(VK_TAB),
                ElementsAre("edit EM_SETSEL", "cancel WM_KILLFOCUS", "edit WM_SETFOCUS",
                            "cancel BM_SETSTYLE 0", "ok BM_SETSTYLE 1"));
    EXPECT_EQ(FocusAfter(VK_TAB, true), Item(IDCANCEL));
    EXPECT_EQ(FocusAfter(VK_TAB, true), Item(IDOK));
}

TEST_F(DialogNavigationTest, ArrowsStayInTheGroupSkippingDisabledControls) {
    FocusItem(11);
    EXPECT_EQ(FocusAfter(VK_DOWN), Item(12));
    EXPECT_EQ(FocusAfter(VK_RIGHT), Item(11)) << "three is disabled; the group wraps";
    EXPECT_EQ(FocusAfter(VK_UP), Item(12));
    EXPECT_EQ(GetNextDlgGroupItem(page_, Item(IDOK), FALSE), Item(IDCANCEL));
    EXPECT_EQ(GetNextDlgGroupItem(page_, Item(10), FALSE), Item(10)) << "a group of one";

    // The edit keeps the arrows for itself.
    FocusItem(10);
    EXPECT_EQ(FocusAfter(VK_DOWN), Item(10));
}

TEST_F(DialogNavigationTest, EnterPressesTheFocusedOrDefaultButtonAndEscapeCancels) {
    EXPECT_THAT(Pressed(VK_RETURN), ElementsAre("dlg WM_COMMAND 1 0"));
    EXPECT_THAT(Pressed(VK_ESCAPE), ElementsAre("dlg WM_COMMAND 2 0"));
    FocusItem(IDCANCEL);
    EXPECT_THAT(Pressed(VK_RETURN), ElementsAre("dlg WM_COMMAND 2 0"));

    // A new default id moves the default look at once and takes Enter from the edit.
    FocusItem(10);
    EXPECT_TRUE(SendMessageW(page_, DM_SETDEFID, IDCANCEL, 0));
    EXPECT_EQ(SendMessageW(page_, DM_GETDEFID, 0, 0), MAKELONG(IDCANCEL, DC_HASDEFID));
    EXPECT_THAT(TakeTrace(), ElementsAre("ok BM_SETSTYLE 0", "cancel BM_SETSTYLE 1"));
    EXPECT_THAT(Pressed(VK_RETURN), ElementsAre("dlg WM_COMMAND 2 0"));
    // A disabled default button takes no Enter.
    EnableWindow(Item(IDCANCEL), FALSE);
    EXPECT_THAT(Pressed(VK_RETURN), IsEmpty());
    EnableWindow(Item(IDCANCEL), TRUE);

    // Without a default id, Enter means IDOK.
    SendMessageW(page_, DM_SETDEFID, 0, 0);
    EXPECT_EQ(SendMessageW(page_, DM_GETDEFID, 0, 0), 0);
    TakeTrace();
    EXPECT_THAT(Pressed(VK_RETURN), ElementsAre("dlg WM_COMMAND 1 0"));
}

TEST_F(DialogNavigationTest, ControlThatWantsTabGetsItAndOtherWindowsAreNotTheDialogs) {
    const HWND dialog = CreatePage(frame_, 105);
    const HWND edit = GetDlgItem(dialog, 10);
    ASSERT_EQ(GetFocus(), edit);
    TakeTrace();
    platform::user::PostKey(VK_TAB, true);
    PumpDialog(dialog);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_THAT(TakeTrace(), ElementsAre("edit WM_CHAR"));

    MSG elsewhere{frame_, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_FALSE(IsDialogMessageW(dialog, &elsewhere));
    EXPECT_FALSE(IsDialogMessageW(dialog, nullptr));
}

TEST_F(DialogNavigationTest, FocusComesBackToTheLastControlWhenTheDialogGetsIt) {
    FocusItem(IDCANCEL);
    ShowWindow(page_, SW_HIDE);
    SetFocus(frame_);
    ShowWindow(page_, SW_SHOW);
    SetFocus(page_);
    EXPECT_EQ(GetFocus(), Item(IDCANCEL));

    // With the remembered control gone, the first tab stop takes it.
    DestroyWindow(Item(IDCANCEL));
    SetFocus(frame_);
    SetFocus(page_);
    EXPECT_EQ(GetFocus(), Item(10));
}

}  // namespace
}  // namespace tessalink::test
