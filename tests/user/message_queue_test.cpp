// The queue: filters, the quit request, key translation, input from the display, and
// timers, whose WM_TIMER is made when the queue is otherwise empty, at most one per timer.
#include <windows.h>
#include <winuser.h>

#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "user/input/input_sink.h"
#include "window_test.h"

namespace tessalink::test {
namespace {

using platform::user::StylusAction;

class MessageQueueTest : public WindowTest {};

TEST_F(MessageQueueTest, PeekFiltersByWindowAndRangeAndQuitComesLast) {
    const HWND parent = Create(kParentClass, WS_POPUP);
    const HWND child = Create(kTestClass, WS_CHILD, {0, 0, 10, 10}, parent, 1);
    const HWND other = Create(kTestClass, WS_POPUP);
    PostQuitMessage(3);
    PostMessageW(other, WM_USER + 1, 0, 0);
    PostMessageW(child, WM_USER + 2, 0, 0);
    PostThreadMessageW(GetCurrentThreadId(), WM_USER + 3, 0, 0);

    MSG msg{};
    // The parent's filter takes its child's messages too; PM_NOREMOVE leaves it queued.
    ASSERT_TRUE(PeekMessageW(&msg, parent, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, nullptr);
    ASSERT_TRUE(PeekMessageW(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));

    EXPECT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    EXPECT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));

    EXPECT_EQ(GetMessageW(&msg, reinterpret_cast<HWND>(0x5678), 0, 0), -1);
    EXPECT_FALSE(PostThreadMessageW(0xFFFFFFF0u, WM_USER, 0, 0));
}

TEST_F(MessageQueueTest, StylusGoesToTheWindowUnderThePointOrTheCapture) {
    const HWND parent = Create(kParentClass, WS_VISIBLE);
    const HWND child = Create(kTestClass, WS_CHILD | WS_VISIBLE, {10, 10, 60, 60}, parent, 1);
    PumpMessages();
    MessageLog::Instance().Clear();

    // Moves merge into the later one, but only while they go to the same window.
    using enum StylusAction;
    const std::tuple<StylusAction, int, int> strokes[] = {
        {Down, 20, 40}, {Move, 21, 41}, {Move, 22, 42}, {Move, 5, 30}, {Up, 22, 42}};
    for (const auto& [action, x, y] : strokes) {
        platform::user::PostStylus(action, x, y);
    }
    PumpMessages();
    // In client coordinates.
    EXPECT_MESSAGES({Posted(WM_LBUTTONDOWN).WParam(MK_LBUTTON).LParam(MAKELPARAM(10, 4)),
                     Posted(WM_MOUSEMOVE).WParam(MK_LBUTTON).LParam(MAKELPARAM(12, 6)),
                     Posted(WM_MOUSEMOVE).ToParent().LParam(MAKELPARAM(5, 4)),
                     Posted(WM_LBUTTONUP).WParam(0).LParam(MAKELPARAM(12, 6))});

    // A disabled child lets the tap through to its parent; the capture takes everything.
    EnableWindow(child, FALSE);
    platform::user::PostStylus(StylusAction::Down, 20, 40);
    SetCapture(child);
    platform::user::PostStylus(StylusAction::Up, 200, 300);
    PumpMessages();
    EXPECT_MESSAGES({Sent(WM_CANCELMODE), Sent(WM_ENABLE),
                     Posted(WM_LBUTTONDOWN).ToParent().LParam(MAKELPARAM(20, 14)),
                     Posted(WM_LBUTTONUP).LParam(MAKELPARAM(190, 264))});
}

TEST_F(MessageQueueTest, KeysGoToTheFocusAndTranslateIntoCharacters) {
    const HWND parent = Create(kParentClass, WS_VISIBLE);
    const HWND edit = Create(kTestClass, WS_CHILD | WS_VISIBLE, {0, 0, 50, 20}, parent, 1);
    SetFocus(edit);
    PumpMessages();
    MessageLog::Instance().Clear();

    const std::pair<UINT, bool> keys[] = {{VK_SHIFT, true},  {'A', true}, {'A', false},
                                          {VK_SHIFT, false}, {'1', true}, {VK_LEFT, true}};
    for (const auto& [key, down] : keys) {
        platform::user::PostKey(key, down);
    }
    platform::user::PostChar(u'é');
    PumpMessages();
    EXPECT_MESSAGES({Posted(WM_KEYDOWN).WParam(VK_SHIFT), Posted(WM_KEYDOWN).WParam('A'),
                     Posted(WM_CHAR).WParam('A'), Posted(WM_KEYUP).WParam('A'),
                     Posted(WM_KEYUP).WParam(VK_SHIFT), Posted(WM_KEYDOWN).WParam('1'),
                     Posted(WM_CHAR).WParam('1'), Posted(WM_KEYDOWN).WParam(VK_LEFT),
                     Posted(WM_CHAR).WParam(u'é')});
    EXPECT_TRUE(GetKeyState('1') & 0x8000);
    EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
}

std::vector<UINT_PTR> procedureCalls;  // the timer ids CountingTimerProc was called for

void CALLBACK CountingTimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    procedureCalls.push_back(id);
}

TEST_F(MessageQueueTest, DueTimerMakesOneMessageAfterPostedOnesUntilKilled) {
    const HWND window = Create(kTestClass, WS_POPUP);
    MessageLog::Instance().Clear();
    EXPECT_EQ(SetTimer(window, 1000, 20, nullptr), 1000u);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    PostMessageW(window, WM_USER, 0, 0);
    PumpMessages();
    // Five intervals passed, yet one WM_TIMER is pending, and after the posted message.
    EXPECT_MESSAGES({Posted(WM_USER), Posted(WM_TIMER).WParam(1000)});

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

TEST_F(MessageQueueTest, ThreadTimerCallsItsProcedureThroughDispatch) {
    const UINT_PTR id = SetTimer(nullptr, 0, 10, CountingTimerProc);
    ASSERT_NE(id, 0u);
    MSG msg{};
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(msg.hwnd, nullptr);
    DispatchMessageW(&msg);
    EXPECT_EQ(procedureCalls, std::vector<UINT_PTR>{id});
    KillTimer(nullptr, id);

    // A WM_TIMER whose procedure no timer names calls nothing.
    msg.lParam = reinterpret_cast<LPARAM>(&CountingTimerProc);
    DispatchMessageW(&msg);
    EXPECT_EQ(procedureCalls.size(), 1u);
}

}  // namespace
}  // namespace tessalink::test
