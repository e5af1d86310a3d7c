// Modal dialogs: the owner disabled while the dialog runs and enabled after, however the
// dialog ends (EndDialog, a key served by its own loop, a quit request that stays for the
// outer loop); a timer started in WM_INITDIALOG acts from inside the loop. MessageBoxW
// is one, of the system's controls, with the caption as its title, the text and an OK
// button that Enter or Escape closes with IDOK; only the OK box is offered.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "controls/control_classes.h"
#include "dialog_fixture.h"
#include "user/posted_input.h"

namespace tessalink::test {
namespace {

struct ModalObservations {
    HWND dialog = nullptr;
    LPARAM initParam = 0;
    bool ownerEnabledAtInit = true;
    bool ownerEnabledInLoop = true;
    bool visibleInLoop = false;
    void (*onTimer)(HWND dialog) = nullptr;
};
ModalObservations seen;

INT_PTR CALLBACK ModalDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            seen.dialog = dialog;
            seen.initParam = lParam;
            seen.ownerEnabledAtInit = IsWindowEnabled(GetWindow(dialog, GW_OWNER));
            SetTimer(dialog, 1, 10, nullptr);
            return TRUE;
        case WM_TIMER:
            KillTimer(dialog, 1);
            seen.ownerEnabledInLoop = IsWindowEnabled(GetWindow(dialog, GW_OWNER));
            seen.visibleInLoop = IsWindowVisible(dialog);
            seen.onTimer(dialog);
            return TRUE;
        case WM_COMMAND:
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}

class ModalDialogTest : public DialogTest {
  protected:
    static void SetUpTestSuite() { platform::controls::RegisterSystemControlClasses(); }
};

TEST_F(ModalDialogTest, OwnerIsDisabledWhileTheDialogRunsHoweverItEnds) {
    const struct {
        const char* how;
        void (*onTimer)(HWND);
        INT_PTR result;
        bool quitLeft;
    } cases[] = {
        {"EndDialog", [](HWND dialog) { EndDialog(dialog, 42); }, 42, false},
        {"Escape", [](HWND) { PostKeyPress(VK_ESCAPE); }, IDCANCEL, false},
        {"quit", [](HWND) { PostQuitMessage(3); }, 0, true},
    };
    const HWND frame = CreateFrame();
    PumpDialog(nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        seen = {.onTimer = c.onTimer};
        EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(102), frame, ModalDialogProc, 77),
                  c.result);
        EXPECT_EQ(seen.initParam, 77);
        EXPECT_FALSE(seen.ownerEnabledAtInit || seen.ownerEnabledInLoop);
        EXPECT_TRUE(seen.visibleInLoop) << "the loop shows a dialog its template left hidden";
        EXPECT_TRUE(IsWindowEnabled(frame));
        EXPECT_FALSE(IsWindow(seen.dialog));
        EXPECT_TRUE(c.quitLeft || GetActiveWindow() == frame);
        MSG msg{};
        EXPECT_EQ(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE, c.quitLeft);
        EXPECT_EQ(msg.wParam, c.quitLeft ? 3u : 0u);
    }
    EXPECT_FALSE(EndDialog(frame, 1)) << "the frame is no dialog";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

std::u16string TextOf(HWND window) {
    WCHAR text[128]{};
    GetWindowTextW(window, text, 128);
    return text;
}

// What the box showed, read inside its own loop by a timer that then closes it with a key.
struct SeenBox {
    std::u16string title;
    std::u16string text;
    UINT closingKey = VK_RETURN;
} box;

void CALLBACK InspectAndClose(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    const HWND shown = GetActiveWindow();
    box.title = TextOf(shown);
    for (HWND child = GetWindow(shown, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (TextOf(child) != u"OK") {
            box.text = TextOf(child);
        }
    }
    PostKeyPress(box.closingKey);
}

TEST_F(ModalDialogTest, MessageBoxShowsCaptionTextAndOkUntilEnterOrEscape) {
    const HWND owner = CreateFrame();
    for (const UINT key : {VK_RETURN, VK_ESCAPE}) {
        box = {.title = {}, .text = {}, .closingKey = key};
        // The timer ticks only in the box's loop, so the box is up when it does.
        SetTimer(nullptr, 0, 10, InspectAndClose);
        EXPECT_EQ(MessageBoxW(owner, u"Unable to convert address to valid IP address.", u"Error",
                              MB_OK | MB_ICONEXCLAMATION),
                  IDOK)
            << "key " << key;
        EXPECT_EQ(box.title, u"Error");
        EXPECT_EQ(box.text, u"Unable to convert address to valid IP address.");
        EXPECT_TRUE(IsWindowEnabled(owner));
    }
    EXPECT_EQ(MessageBoxW(owner, u"Sure?", u"Question", MB_OKCANCEL), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_TRUE(IsWindowEnabled(owner));
}

}  // namespace
}  // namespace tessalink::test
