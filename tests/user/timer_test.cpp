// Timers: WM_TIMER is made when the queue is otherwise empty, at most one per timer.
#include <windows.h>
#include <winuser.h>

#include <thread>

#include "window_test.h"

namespace tessalink::test {
namespace {

class TimerTest : public WindowTest {};

UINT_PTR procedureTimerId = 0;
int procedureCalls = 0;

void CALLBACK CountingTimerProc(HWND, UINT message, UINT_PTR id, DWORD) {
    if (message == WM_TIMER) {
        procedureTimerId = id;
        ++procedureCalls;
    }
}

TEST_F(TimerTest, DueTimerMakesOneMessageAfterPostedOnesUntilKilled) {
    const HWND window = Create(kTestClass, WS_POPUP);
    MessageLog::Instance().Clear();
    EXPECT_EQ(SetTimer(window, 1000, 20, nullptr), 1000u);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    PostMessageW(window, WM_USER, 0, 0);
    PumpMessages();
    // Five intervals passed, yet one WM_TIMER is pending, and after the posted message.
    EXPECT_MESSAGES({{WM_USER, kPosted}, {WM_TIMER, kPosted | kWParam, 1000}});

    // GetMessageW sleeps until the timer is due again.
    MSG msg{};
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(msg.hwnd, window);

    EXPECT_TRUE(KillTimer(window, 1000));
    EXPECT_FALSE(KillTimer(window, 1000));
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(TimerTest, ThreadTimerCallsItsProcedureThroughDispatch) {
    const UINT_PTR id = SetTimer(nullptr, 0, 10, CountingTimerProc);
    ASSERT_NE(id, 0u);
    MSG msg{};
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(msg.hwnd, nullptr);
    DispatchMessageW(&msg);
    EXPECT_EQ(procedureCalls, 1);
    EXPECT_EQ(procedureTimerId, id);
    KillTimer(nullptr, id);

    // A WM_TIMER whose procedure no timer names calls nothing.
    msg.lParam = reinterpret_cast<LPARAM>(&CountingTimerProc);
    DispatchMessageW(&msg);
    EXPECT_EQ(procedureCalls, 1);
}

}  // namespace
}  // namespace tessalink::test
