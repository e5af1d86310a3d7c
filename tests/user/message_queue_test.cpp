// The queue: filters, the quit request, key translation, and input from the display.
#include <windows.h>
#include <winuser.h>

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

    platform::user::PostStylus(StylusAction::Down, 20, 40);
    platform::user::PostStylus(StylusAction::Move, 21, 41);
    platform::user::PostStylus(StylusAction::Move, 22, 42);
    platform::user::PostStylus(StylusAction::Up, 22, 42);
    PumpMessages();
    // Client coordinates; the two moves merged into the later one.
    EXPECT_MESSAGES({{WM_LBUTTONDOWN, kPosted | kWParam | kLParam, MK_LBUTTON, MAKELPARAM(10, 4)},
                     {WM_MOUSEMOVE, kPosted | kWParam | kLParam, MK_LBUTTON, MAKELPARAM(12, 6)},
                     {WM_LBUTTONUP, kPosted | kWParam | kLParam, 0, MAKELPARAM(12, 6)}});

    // A disabled child lets the tap through to its parent; the capture takes everything.
    EnableWindow(child, FALSE);
    platform::user::PostStylus(StylusAction::Down, 20, 40);
    SetCapture(child);
    platform::user::PostStylus(StylusAction::Up, 200, 300);
    PumpMessages();
    EXPECT_MESSAGES({{WM_CANCELMODE, kSent},
                     {WM_ENABLE, kSent},
                     {WM_LBUTTONDOWN, kPosted | kParent | kLParam, 0, MAKELPARAM(20, 14)},
                     {WM_LBUTTONUP, kPosted | kLParam, 0, MAKELPARAM(190, 264)}});
}

TEST_F(MessageQueueTest, KeysGoToTheFocusAndTranslateIntoCharacters) {
    const HWND parent = Create(kParentClass, WS_VISIBLE);
    const HWND edit = Create(kTestClass, WS_CHILD | WS_VISIBLE, {0, 0, 50, 20}, parent, 1);
    SetFocus(edit);
    PumpMessages();
    MessageLog::Instance().Clear();

    platform::user::PostKey(VK_SHIFT, true);
    platform::user::PostKey('A', true);
    platform::user::PostKey('A', false);
    platform::user::PostKey(VK_SHIFT, false);
    platform::user::PostKey('1', true);
    platform::user::PostKey(VK_LEFT, true);
    platform::user::PostChar(u'é');
    PumpMessages();
    EXPECT_MESSAGES({{WM_KEYDOWN, kPosted | kWParam, VK_SHIFT},
                     {WM_KEYDOWN, kPosted | kWParam, 'A'},
                     {WM_CHAR, kPosted | kWParam, 'A'},
                     {WM_KEYUP, kPosted | kWParam, 'A'},
                     {WM_KEYUP, kPosted | kWParam, VK_SHIFT},
                     {WM_KEYDOWN, kPosted | kWParam, '1'},
                     {WM_CHAR, kPosted | kWParam, '1'},
                     {WM_KEYDOWN, kPosted | kWParam, VK_LEFT},
                     {WM_CHAR, kPosted | kWParam, u'é'}});
    EXPECT_TRUE(GetKeyState('1') & 0x8000);
    EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
}

}  // namespace
}  // namespace tessalink::test
