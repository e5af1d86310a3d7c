// The dialog's keyboard: Tab and Shift+Tab over tab stops, arrows within a group, Enter
// and Escape, the default push button following the focus, and the keys a control keeps
// for itself through WM_GETDLGCODE.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include "dialog_test_fixture.h"
#include "template_writer.h"
#include "user/input/input_sink.h"

namespace tessalink::test {
namespace {

using ::testing::ElementsAre;

class DialogNavigationTest : public DialogPageTest<100> {
  protected:
    void PressShifted(UINT key) {
        platform::user::PostKey(VK_SHIFT, true);
        Press(key);
        platform::user::PostKey(VK_SHIFT, false);
        PumpDialog(page_);
    }
};

TEST_F(DialogNavigationTest, TabVisitsTabStopsInOrderAndMovesTheDefaultButton) {
    ASSERT_EQ(GetFocus(), Item(10));
    // "two" is no tab stop and "three" is disabled.
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(11));
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(IDOK));
    DialogTrace::Instance().Clear();

    // A plain push button with the focus is drawn as the default one.
    Press(VK_TAB);
    EXPECT_THAT(DialogTrace::Instance().Take(),
                ElementsAre("ok WM_KILLFOCUS", "cancel WM_SETFOCUS", "ok BM_SETSTYLE 0",
                            "cancel BM_SETSTYLE 1"));
    // Round to the edit, whose text is selected; the default returns to OK.
    Press(VK_TAB);
    EXPECT_THAT(DialogTrace::Instance().Take(),
                ElementsAre("edit EM_SETSEL", "cancel WM_KILLFOCUS", "edit WM_SETFOCUS",
                            "cancel BM_SETSTYLE 0", "ok BM_SETSTYLE 1"));

    PressShifted(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(IDCANCEL));
    PressShifted(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(IDOK));
}

TEST_F(DialogNavigationTest, ArrowsStayInTheGroupSkippingDisabledControls) {
    SendMessageW(page_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(11)), TRUE);
    ASSERT_EQ(GetFocus(), Item(11));
    Press(VK_DOWN);
    EXPECT_EQ(GetFocus(), Item(12));
    Press(VK_RIGHT);
    EXPECT_EQ(GetFocus(), Item(11)) << "three is disabled; the group wraps";
    Press(VK_UP);
    EXPECT_EQ(GetFocus(), Item(12));
    EXPECT_EQ(GetNextDlgGroupItem(page_, Item(IDOK), FALSE), Item(IDCANCEL));
    EXPECT_EQ(GetNextDlgGroupItem(page_, Item(10), FALSE), Item(10)) << "a group of one";

    // The edit keeps the arrows for itself.
    SendMessageW(page_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(10)), TRUE);
    Press(VK_DOWN);
    EXPECT_EQ(GetFocus(), Item(10));
}

TEST_F(DialogNavigationTest, EnterPressesTheFocusedOrDefaultButtonAndEscapeCancels) {
    Press(VK_RETURN);
    EXPECT_THAT(DialogTrace::Instance().Take(), ElementsAre("dlg WM_COMMAND 1 0"));
    Press(VK_ESCAPE);
    EXPECT_THAT(DialogTrace::Instance().Take(), ElementsAre("dlg WM_COMMAND 2 0"));

    SendMessageW(page_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDCANCEL)), TRUE);
    DialogTrace::Instance().Clear();
    Press(VK_RETURN);
    EXPECT_THAT(DialogTrace::Instance().Take(), ElementsAre("dlg WM_COMMAND 2 0"));

    // A new default id moves the default look at once and takes Enter from the edit.
    SendMessageW(page_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(10)), TRUE);
    DialogTrace::Instance().Clear();
    EXPECT_TRUE(SendMessageW(page_, DM_SETDEFID, IDCANCEL, 0));
    EXPECT_EQ(SendMessageW(page_, DM_GETDEFID, 0, 0), MAKELONG(IDCANCEL, DC_HASDEFID));
    EXPECT_THAT(DialogTrace::Instance().Take(),
                ElementsAre("ok BM_SETSTYLE 0", "cancel BM_SETSTYLE 1"));
    Press(VK_RETURN);
    EXPECT_THAT(DialogTrace::Instance().Take(), ElementsAre("dlg WM_COMMAND 2 0"));

    // A disabled default button takes no Enter.
    EnableWindow(Item(IDCANCEL), FALSE);
    Press(VK_RETURN);
    EXPECT_THAT(DialogTrace::Instance().Take(), ElementsAre());
    EnableWindow(Item(IDCANCEL), TRUE);

    // Without a default id, Enter means IDOK.
    SendMessageW(page_, DM_SETDEFID, 0, 0);
    EXPECT_EQ(SendMessageW(page_, DM_GETDEFID, 0, 0), 0);
    DialogTrace::Instance().Clear();
    Press(VK_RETURN);
    EXPECT_THAT(DialogTrace::Instance().Take(), ElementsAre("dlg WM_COMMAND 1 0"));
}

TEST_F(DialogNavigationTest, ControlThatWantsTabGetsItAndOtherWindowsAreNotTheDialogs) {
    TemplateWriter writer{WS_CHILD | WS_VISIBLE, 2, 100, 50};
    writer.Item(WS_VISIBLE | WS_TABSTOP, 10, kTestTabEdit, u"");
    writer.Item(WS_VISIBLE | WS_TABSTOP, IDOK, kTestButton, u"OK");
    const HWND dialog =
        CreateDialogIndirectParamW(nullptr, writer.Template(), frame_, RecordingDialogProc, 0);
    windows_.push_back(dialog);
    ASSERT_NE(dialog, nullptr);
    const HWND edit = GetDlgItem(dialog, 10);
    ASSERT_EQ(GetFocus(), edit);
    DialogTrace::Instance().Clear();
    platform::user::PostKey(VK_TAB, true);
    PumpDialog(dialog);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_THAT(DialogTrace::Instance().Take(), ElementsAre("edit WM_CHAR"));

    MSG elsewhere{frame_, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_FALSE(IsDialogMessageW(dialog, &elsewhere));
    EXPECT_FALSE(IsDialogMessageW(dialog, nullptr));
}

TEST_F(DialogNavigationTest, FocusComesBackToTheLastControlWhenTheDialogGetsIt) {
    SendMessageW(page_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDCANCEL)), TRUE);
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
