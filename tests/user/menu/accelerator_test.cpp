// Accelerators from the test's resource table: matching keys become WM_COMMAND with
// high word 1 and are swallowed; other keys pass on untouched.
#include <windows.h>
#include <winuser.h>

#include <utility>

#include "user/input/input_sink.h"
#include "user/window_test.h"

namespace tessalink::test {
namespace {

using AcceleratorTest = WindowTest;

TEST_F(AcceleratorTest, TableFromResourcesSwallowsItsKeysEvenWithAChildFocused) {
    const HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(100));
    const HWND frame = Create(kParentClass, WS_VISIBLE);
    const HWND edit = Create(kTestClass, WS_CHILD | WS_VISIBLE, {0, 0, 50, 20}, frame, 1);
    SetFocus(edit);
    PumpMessages();
    MessageLog::Instance().Clear();

    using platform::user::PostKey;
    const std::pair<UINT, bool> keys[] = {{VK_CONTROL, true},  {'N', true},       {'N', false},
                                          {VK_CONTROL, false}, {VK_F6, true},     {VK_SHIFT, true},
                                          {VK_F6, true},       {VK_SHIFT, false}, {VK_MENU, true},
                                          {VK_F6, true},       {VK_MENU, false},  {'B', true}};
    for (const auto& [key, down] : keys) {
        PostKey(key, down);
    }
    PumpMessages(frame, table);
    EXPECT_MESSAGES({Posted(WM_KEYDOWN).WParam(VK_CONTROL),
                     Sent(WM_COMMAND).ToParent().WParam(MAKEWPARAM(57600, 1)),
                     Posted(WM_KEYUP).WParam('N'), Posted(WM_KEYUP).WParam(VK_CONTROL),
                     Sent(WM_COMMAND).ToParent().WParam(MAKEWPARAM(57680, 1)),
                     Posted(WM_KEYDOWN).WParam(VK_SHIFT),
                     Sent(WM_COMMAND).ToParent().WParam(MAKEWPARAM(57681, 1)),
                     Posted(WM_KEYUP).WParam(VK_SHIFT),
                     // Each F6 entry matches only its own modifiers.
                     Posted(WM_SYSKEYDOWN).WParam(VK_MENU),
                     Sent(WM_COMMAND).ToParent().WParam(MAKEWPARAM(57682, 1)),
                     Posted(WM_KEYUP).WParam(VK_MENU),
                     // 'B' is no accelerator: its key and its character arrive.
                     Posted(WM_KEYDOWN).WParam('B'), Posted(WM_CHAR).WParam('b')});

    // The character entry matches the typed "a", not the key.
    PostKey('A', true);
    PumpMessages(frame, table);
    EXPECT_MESSAGES(
        {Posted(WM_KEYDOWN).WParam('A'), Sent(WM_COMMAND).ToParent().WParam(MAKEWPARAM(300, 1))});

    EXPECT_TRUE(DestroyAcceleratorTable(table));
    EXPECT_FALSE(DestroyAcceleratorTable(table));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ACCEL_HANDLE));
    MSG msg{nullptr, WM_KEYDOWN, VK_F6, 0, 0, {}};
    EXPECT_EQ(TranslateAcceleratorW(frame, table, &msg), 0);
    EXPECT_EQ(LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(101)), nullptr);
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << "no table 101";
}

}  // namespace
}  // namespace tessalink::test
