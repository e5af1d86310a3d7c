// Accelerators from the test's resource table: matching keys become WM_COMMAND with
// high word 1 and are swallowed; other keys pass on untouched.
#include <windows.h>
#include <winuser.h>

#include "user/input/input_sink.h"
#include "window_test.h"

namespace tessalink::test {
namespace {

using AcceleratorTest = WindowTest;

TEST_F(AcceleratorTest, TableFromResourcesSwallowsItsKeysEvenWithAChildFocused) {
    const HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(100));
    ASSERT_NE(table, nullptr);
    const HWND frame = Create(kParentClass, WS_VISIBLE);
    const HWND edit = Create(kTestClass, WS_CHILD | WS_VISIBLE, {0, 0, 50, 20}, frame, 1);
    SetFocus(edit);
    PumpMessages();
    MessageLog::Instance().Clear();

    using platform::user::PostKey;
    PostKey(VK_CONTROL, true);
    PostKey('N', true);
    PostKey('N', false);
    PostKey(VK_CONTROL, false);
    PostKey(VK_F6, true);
    PostKey(VK_SHIFT, true);
    PostKey(VK_F6, true);
    PostKey(VK_SHIFT, false);
    PostKey('B', true);
    PumpMessages(frame, table);
    EXPECT_MESSAGES({{WM_KEYDOWN, kPosted | kWParam, VK_CONTROL},
                     {WM_COMMAND, kSent | kParent | kWParam, MAKEWPARAM(57600, 1)},
                     {WM_KEYUP, kPosted | kWParam, 'N'},
                     {WM_KEYUP, kPosted | kWParam, VK_CONTROL},
                     {WM_COMMAND, kSent | kParent | kWParam, MAKEWPARAM(57680, 1)},
                     {WM_KEYDOWN, kPosted | kWParam, VK_SHIFT},
                     {WM_COMMAND, kSent | kParent | kWParam, MAKEWPARAM(57681, 1)},
                     {WM_KEYUP, kPosted | kWParam, VK_SHIFT},
                     // 'B' is no accelerator: its key and its character arrive.
                     {WM_KEYDOWN, kPosted | kWParam, 'B'},
                     {WM_CHAR, kPosted | kWParam, 'b'}});

    // The character entry matches the typed "a", not the key.
    PostKey('A', true);
    PumpMessages(frame, table);
    EXPECT_MESSAGES({{WM_KEYDOWN, kPosted | kWParam, 'A'},
                     {WM_COMMAND, kSent | kParent | kWParam, MAKEWPARAM(300, 1)}});

    EXPECT_TRUE(DestroyAcceleratorTable(table));
    EXPECT_FALSE(DestroyAcceleratorTable(table));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ACCEL_HANDLE));
    MSG msg{nullptr, WM_KEYDOWN, VK_F6, 0, 0, {}};
    EXPECT_EQ(TranslateAcceleratorW(frame, table, &msg), 0);
}

TEST_F(AcceleratorTest, MissingTableIsAnError) {
    EXPECT_EQ(LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(101)), nullptr);
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
}

}  // namespace
}  // namespace tessalink::test
