// Modal dialogs: the owner disabled while the dialog runs and enabled after, the result
// of EndDialog, and a nested loop that keeps serving timers, keys and other threads'
// sends, and leaves a quit request for the outer loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "dialog_test_fixture.h"
#include "user/input/input_sink.h"

namespace tessalink::test {
namespace {

constexpr UINT kCrossThreadRequest = WM_USER + 1;

struct ModalObservations {
    HWND dialog = nullptr;
    LPARAM initParam = 0;
    bool ownerEnabledAtInit = true;
    bool ownerEnabledInLoop = true;
    bool visibleInLoop = false;
    std::thread sender;
    std::atomic<LRESULT> sendResult = 0;
    // What the timer does: end the dialog, press Escape, or ask the loop to quit.
    enum class OnTimer { End, Escape, Quit, SendFromThread } onTimer = OnTimer::End;
};

ModalObservations* observations = nullptr;

INT_PTR CALLBACK ModalDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& seen = *observations;
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
            switch (seen.onTimer) {
                case ModalObservations::OnTimer::End:
                    EndDialog(dialog, 42);
                    break;
                case ModalObservations::OnTimer::Escape:
                    platform::user::PostKey(VK_ESCAPE, true);
                    break;
                case ModalObservations::OnTimer::Quit:
                    PostQuitMessage(3);
                    break;
                case ModalObservations::OnTimer::SendFromThread:
                    seen.sender = std::thread([dialog, &seen] {
                        seen.sendResult = SendMessageW(dialog, kCrossThreadRequest, 0, 0);
                    });
                    break;
            }
            return TRUE;
        case kCrossThreadRequest:
            // Last, as on Windows: the messages EndDialog sends reset the answer.
            EndDialog(dialog, 5);
            SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 7);
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
    void SetUp() override {
        DialogTest::SetUp();
        observations = &seen_;
        frame_ = CreateFrame();
        PumpDialog(nullptr);
    }
    void TearDown() override {
        if (seen_.sender.joinable()) {
            seen_.sender.join();
        }
        observations = nullptr;
        DialogTest::TearDown();
    }

    INT_PTR Run() {
        return DialogBoxParamW(nullptr, MAKEINTRESOURCEW(102), frame_, ModalDialogProc, 77);
    }

    ModalObservations seen_;
    HWND frame_ = nullptr;
};

TEST_F(ModalDialogTest, OwnerIsDisabledWhileTheDialogRunsAndEndDialogGivesTheResult) {
    EXPECT_EQ(Run(), 42);
    EXPECT_EQ(seen_.initParam, 77);
    EXPECT_FALSE(seen_.ownerEnabledAtInit);
    EXPECT_FALSE(seen_.ownerEnabledInLoop);
    EXPECT_TRUE(seen_.visibleInLoop) << "the loop shows a dialog its template left hidden";
    EXPECT_TRUE(IsWindowEnabled(frame_));
    EXPECT_FALSE(IsWindow(seen_.dialog));
    EXPECT_EQ(GetActiveWindow(), frame_);
}

// Escape pressed, and another thread's send answered, inside the dialog's own loop.
TEST_F(ModalDialogTest, KeysAndSendsFromAnotherThreadAreServedInTheLoop) {
    seen_.onTimer = ModalObservations::OnTimer::Escape;
    EXPECT_EQ(Run(), IDCANCEL);
    EXPECT_TRUE(IsWindowEnabled(frame_));

    seen_.onTimer = ModalObservations::OnTimer::SendFromThread;
    EXPECT_EQ(Run(), 5);
    seen_.sender.join();
    EXPECT_EQ(seen_.sendResult, 7);
}

TEST_F(ModalDialogTest, QuitEndsTheLoopAndStaysForTheOuterOne) {
    seen_.onTimer = ModalObservations::OnTimer::Quit;
    Run();
    EXPECT_FALSE(IsWindow(seen_.dialog));
    EXPECT_TRUE(IsWindowEnabled(frame_));
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(ModalDialogTest, EndDialogOnAWindowThatIsNoDialogFails) {
    EXPECT_FALSE(EndDialog(frame_, 1));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

}  // namespace
}  // namespace tessalink::test
