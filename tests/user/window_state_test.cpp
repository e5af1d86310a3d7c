// Showing, moving, sizing, minimising, enabling, focus and subclassing, by the messages
// they cause.
#include <windows.h>
#include <winuser.h>

#include "window_test.h"

namespace tessalink::test {
namespace {

class WindowStateTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        parent_ = Create(kParentClass, WS_VISIBLE);
        child_ = Create(kTestClass, WS_CHILD, {0, 0, 100, 100}, parent_, 1);
        MessageLog::Instance().Clear();
    }

    HWND parent_ = nullptr;
    HWND child_ = nullptr;
};

TEST_F(WindowStateTest, ShowAndHideSendShowWindowOnlyWhenVisibilityChanges) {
    EXPECT_FALSE(ShowWindow(child_, SW_SHOWNORMAL));
    EXPECT_TRUE(IsWindowVisible(child_));
    EXPECT_TRUE(ShowWindow(child_, SW_SHOW));
    EXPECT_TRUE(ShowWindow(child_, SW_HIDE));
    EXPECT_FALSE(ShowWindow(child_, SW_HIDE));
    EXPECT_MESSAGES({Sent(WM_SHOWWINDOW).WParam(TRUE), Sent(WM_WINDOWPOSCHANGING),
                     Sent(WM_WINDOWPOSCHANGED), Sent(WM_SHOWWINDOW).WParam(FALSE),
                     Sent(WM_WINDOWPOSCHANGING), Sent(WM_WINDOWPOSCHANGED)});
    // A hidden parent hides its visible children too.
    ShowWindow(child_, SW_SHOW);
    ShowWindow(parent_, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(child_));
}

TEST_F(WindowStateTest, MovingAndSizingReportOnlyWhatChanged) {
    SetWindowPos(child_, nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_MESSAGES({Sent(WM_WINDOWPOSCHANGING), Sent(WM_WINDOWPOSCHANGED),
                     Sent(WM_MOVE).LParam(MAKELPARAM(5, 6))});
    MoveWindow(child_, 5, 6, 30, 40, TRUE);
    EXPECT_MESSAGES({Sent(WM_WINDOWPOSCHANGING), Sent(WM_WINDOWPOSCHANGED),
                     Sent(WM_SIZE).WParam(SIZE_RESTORED).LParam(MAKELPARAM(30, 40))});
    MoveWindow(child_, 5, 6, 30, 40, TRUE);
    EXPECT_MESSAGES({Sent(WM_WINDOWPOSCHANGING), Sent(WM_WINDOWPOSCHANGED)});
}

TEST_F(WindowStateTest, MinimisingAndRestoringResizeAndMoveActivation) {
    const HWND other = Create(kTestClass, WS_VISIBLE, {0, 26, 240, 320});
    ASSERT_EQ(GetActiveWindow(), other);
    MessageLog::Instance().Clear();

    ShowWindow(other, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(other));
    EXPECT_TRUE(IsWindowVisible(other));
    EXPECT_EQ(GetActiveWindow(), parent_);
    EXPECT_MESSAGES({Sent(WM_SIZE).WParam(SIZE_MINIMIZED).LParam(0),
                     Sent(WM_ACTIVATE).WParam(MAKEWPARAM(WA_INACTIVE, TRUE)),
                     Sent(WM_ACTIVATE).ToParent().WParam(WA_ACTIVE), Sent(WM_KILLFOCUS),
                     Sent(WM_SETFOCUS).ToParent()});

    ShowWindow(other, SW_RESTORE);
    EXPECT_FALSE(IsIconic(other));
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_MESSAGES({Sent(WM_SIZE).WParam(SIZE_RESTORED).LParam(MAKELPARAM(240, 294)),
                     Sent(WM_ACTIVATE).ToParent().WParam(WA_INACTIVE),
                     Sent(WM_ACTIVATE).WParam(WA_ACTIVE), Sent(WM_KILLFOCUS).ToParent(),
                     Sent(WM_SETFOCUS)});
}

TEST_F(WindowStateTest, DisablingTakesFocusAndCaptureAndSendsEnable) {
    ShowWindow(child_, SW_SHOW);
    SetFocus(child_);
    SetCapture(child_);
    MessageLog::Instance().Clear();

    EXPECT_FALSE(EnableWindow(child_, FALSE));
    EXPECT_MESSAGES({Sent(WM_CANCELMODE), Sent(WM_CAPTURECHANGED), Sent(WM_KILLFOCUS).WParam(0),
                     Sent(WM_ENABLE).WParam(FALSE)});
    EXPECT_FALSE(IsWindowEnabled(child_));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    // A disabled window cannot take the focus; disabling again changes nothing.
    EXPECT_EQ(SetFocus(child_), nullptr);
    EXPECT_TRUE(EnableWindow(child_, FALSE));
    EXPECT_TRUE(EnableWindow(child_, TRUE));
    EXPECT_MESSAGES({Sent(WM_ENABLE).WParam(TRUE)});
}

TEST_F(WindowStateTest, FocusMovesWithKillFocusBeforeSetFocus) {
    const HWND second = Create(kTestClass, WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, parent_, 2);
    ShowWindow(child_, SW_SHOW);
    EXPECT_EQ(SetFocus(child_), parent_);
    MessageLog::Instance().Clear();
    EXPECT_EQ(SetFocus(second), child_);
    EXPECT_MESSAGES({Sent(WM_KILLFOCUS).WParam(reinterpret_cast<WPARAM>(second)),
                     Sent(WM_SETFOCUS).WParam(reinterpret_cast<WPARAM>(child_))});
    EXPECT_EQ(SetFocus(second), second);
    EXPECT_MESSAGES({});
}

WNDPROC previousProc = nullptr;
int subclassCalls = 0;

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 1) {
        ++subclassCalls;
        return 99;
    }
    return CallWindowProcW(previousProc, hwnd, message, wParam, lParam);
}

TEST_F(WindowStateTest, SubclassingReplacesTheProcedureAndChainsTheRest) {
    previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(child_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    ASSERT_NE(previousProc, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(child_, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(SubclassProc));
    // The 32-bit accessor cannot hold a procedure and says so.
    EXPECT_EQ(GetWindowLongW(child_, GWL_WNDPROC), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));

    EXPECT_EQ(SendMessageW(child_, WM_USER + 1, 0, 0), 99);
    SendMessageW(child_, WM_USER + 2, 3, 4);
    EXPECT_EQ(subclassCalls, 1);
    EXPECT_MESSAGES({Sent(WM_USER + 2).WParam(3).LParam(4)});

    SetWindowTextW(child_, u"Refresh List");
    EXPECT_EQ(GetWindowTextLengthW(child_), 12);
    WCHAR small[5]{};
    EXPECT_EQ(GetWindowTextW(child_, small, 5), 4);
    EXPECT_EQ(std::u16string(small), u"Refr");
    SetWindowLongPtrW(child_, GWLP_USERDATA, 0x1234567890);
    EXPECT_EQ(GetWindowLongPtrW(child_, GWLP_USERDATA), 0x1234567890);
}

TEST_F(WindowStateTest, TreeRelationsFollowCreationOrder) {
    const HWND second = Create(kTestClass, WS_CHILD, {0, 0, 10, 10}, parent_, 2);
    const HWND popup = Create(kTestClass, WS_POPUP, {0, 0, 10, 10}, second);
    EXPECT_EQ(GetWindow(parent_, GW_CHILD), child_);
    EXPECT_EQ(GetWindow(child_, GW_HWNDNEXT), second);
    EXPECT_EQ(GetWindow(second, GW_HWNDPREV), child_);
    EXPECT_EQ(GetWindow(child_, GW_HWNDLAST), second);
    EXPECT_EQ(GetParent(popup), parent_);
    EXPECT_TRUE(IsChild(parent_, second));
    EXPECT_FALSE(IsChild(parent_, popup));
    EXPECT_EQ(FindWindowW(kParentClass, nullptr), parent_);
    EXPECT_EQ(FindWindowW(nullptr, u"WINDOW"), popup);
    EXPECT_EQ(FindWindowW(kParentClass, u"other"), nullptr);
}

}  // namespace
}  // namespace tessalink::test
