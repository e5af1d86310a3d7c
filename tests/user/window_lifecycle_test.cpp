// Creating and destroying windows: message order, what creation passes, classes, and
// handles that must go stale.
#include <windows.h>
#include <winuser.h>

#include <array>

#include "window_test.h"

namespace tessalink::test {
namespace {

using WindowLifecycleTest = WindowTest;

TEST_F(WindowLifecycleTest, CreationSizesMovesAndShowsButActivatesOnlyTopLevelWindows) {
    const HWND window =
        CreateWindowExW(0, kTestClass, u"Main", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    created_.push_back(window);
    EXPECT_MESSAGES({Sent(WM_NCCREATE), Sent(WM_CREATE),
                     // CW_USEDEFAULT fills the work area, which starts 26 pixels down.
                     Sent(WM_SIZE).WParam(SIZE_RESTORED).LParam(MAKELPARAM(240, 294)),
                     Sent(WM_MOVE).LParam(MAKELPARAM(0, 26)), Sent(WM_SHOWWINDOW).WParam(TRUE),
                     Sent(WM_WINDOWPOSCHANGING), Sent(WM_WINDOWPOSCHANGED),
                     Sent(WM_ACTIVATE).WParam(WA_ACTIVE), Sent(WM_SETFOCUS)});

    const HWND child =
        Create(kTestClass, WS_CHILD | WS_VISIBLE | WS_BORDER, {10, 20, 110, 70}, window, 5);
    EXPECT_MESSAGES({Sent(WM_NCCREATE), Sent(WM_CREATE),
                     // The one-pixel border leaves a 98 x 48 client area one pixel inside.
                     Sent(WM_SIZE).WParam(SIZE_RESTORED).LParam(MAKELPARAM(98, 48)),
                     Sent(WM_MOVE).LParam(MAKELPARAM(11, 21)), Sent(WM_SHOWWINDOW).WParam(TRUE),
                     Sent(WM_WINDOWPOSCHANGING), Sent(WM_WINDOWPOSCHANGED)});
    EXPECT_EQ(GetActiveWindow(), window);
    EXPECT_EQ(GetFocus(), window);
    POINT origin{0, 0};
    ClientToScreen(child, &origin);
    EXPECT_EQ((std::array{origin.x, origin.y}), (std::array<LONG, 2>{11, 26 + 21}));
}

CREATESTRUCTW passed{};

LRESULT CALLBACK RefusingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        passed = *reinterpret_cast<CREATESTRUCTW*>(lParam);
        LogMessage(hwnd, message, wParam, lParam, 0);
        return -1;
    }
    return LogMessage(hwnd, message, wParam, lParam, 0);
}

TEST_F(WindowLifecycleTest, CreationRefusedInCreateIsUndoneAndPassesTheCreateStruct) {
    ASSERT_NE(RegisterWindowClass(u"Refusing", RefusingProc), 0);
    int parameter = 42;
    const HWND window = CreateWindowExW(WS_EX_WINDOWEDGE, u"refusing", u"No", WS_POPUP, 1, 2, 3, 4,
                                        nullptr, nullptr, nullptr, &parameter);
    EXPECT_EQ(window, nullptr);
    EXPECT_MESSAGES({Sent(WM_NCCREATE), Sent(WM_CREATE), Sent(WM_DESTROY), Sent(WM_NCDESTROY)});
    EXPECT_EQ(passed.lpCreateParams, &parameter);
    EXPECT_EQ((std::array{passed.x, passed.y, passed.cx, passed.cy}), (std::array{1, 2, 3, 4}));
    EXPECT_EQ(passed.style, static_cast<LONG>(WS_POPUP));
    EXPECT_EQ(passed.dwExStyle, static_cast<DWORD>(WS_EX_WINDOWEDGE));
    // No window of the class is left, so it can go.
    EXPECT_TRUE(UnregisterClassW(u"Refusing", nullptr));
}

TEST_F(WindowLifecycleTest, ClassesAreUniqueByNameAndCannotGoWhileInUse) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = u"Shared";
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    const ATOM atom = RegisterClassW(&windowClass);
    ASSERT_NE(atom, 0);
    windowClass.lpszClassName = u"SHARED";
    EXPECT_EQ(RegisterClassW(&windowClass), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
    const HWND window = Create(MAKEINTATOM(atom), WS_POPUP);
    EXPECT_EQ(SetWindowLongPtrW(window, DWLP_USER, 7), 0);
    EXPECT_EQ(GetWindowLongPtrW(window, DWLP_USER), 7);
    EXPECT_EQ(GetWindowLongPtrW(window, DLGWINDOWEXTRA), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    EXPECT_FALSE(UnregisterClassW(u"Shared", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
    DestroyWindow(window);
    EXPECT_TRUE(UnregisterClassW(u"Shared", nullptr));

    EXPECT_EQ(Create(u"NoSuchClass", WS_POPUP), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    EXPECT_EQ(Create(kTestClass, WS_CHILD), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));
}

TEST_F(WindowLifecycleTest, DestroyingTopLevelWindowDestroysChildrenParentFirstThenDeepestFirst) {
    const HWND parent = Create(kParentClass, WS_VISIBLE);
    const HWND child = Create(kTestClass, WS_CHILD | WS_VISIBLE, {0, 0, 100, 100}, parent, 1);
    const HWND grandchild = Create(kTestClass, WS_CHILD | WS_VISIBLE, {0, 0, 50, 50}, child, 2);
    const HWND owned = Create(kTestClass, WS_POPUP, {0, 0, 10, 10}, child);
    ASSERT_EQ(GetWindow(owned, GW_OWNER), parent);
    MessageLog::Instance().Clear();

    ASSERT_TRUE(DestroyWindow(parent));
    EXPECT_MESSAGES(
        {Sent(WM_WINDOWPOSCHANGING).ToParent(), Sent(WM_WINDOWPOSCHANGED).ToParent(),
         Sent(WM_ACTIVATE).ToParent().WParam(WA_INACTIVE), Sent(WM_KILLFOCUS).ToParent(),
         // The owned pop-up goes before its owner hears anything more.
         Sent(WM_DESTROY), Sent(WM_NCDESTROY), Sent(WM_DESTROY).ToParent(), Sent(WM_DESTROY),
         Sent(WM_DESTROY), Sent(WM_NCDESTROY), Sent(WM_NCDESTROY), Sent(WM_NCDESTROY).ToParent()});
    for (HWND gone : {parent, child, grandchild, owned}) {
        EXPECT_FALSE(IsWindow(gone));
    }
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowLifecycleTest, DestroyingFocusedChildHidesItAndGivesFocusToParent) {
    const HWND parent = Create(kParentClass, WS_VISIBLE);
    const HWND child = Create(kTestClass, WS_CHILD | WS_VISIBLE, {0, 0, 100, 100}, parent, 1);
    SetFocus(child);
    MessageLog::Instance().Clear();

    DestroyWindow(child);
    EXPECT_MESSAGES({Sent(WM_SHOWWINDOW).WParam(FALSE), Sent(WM_WINDOWPOSCHANGING),
                     Sent(WM_WINDOWPOSCHANGED),
                     Sent(WM_KILLFOCUS).WParam(reinterpret_cast<WPARAM>(parent)),
                     Sent(WM_SETFOCUS).ToParent().WParam(reinterpret_cast<WPARAM>(child)),
                     Sent(WM_DESTROY), Sent(WM_NCDESTROY)});
    EXPECT_EQ(GetFocus(), parent);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
}

TEST_F(WindowLifecycleTest, StaleAndForgedHandlesFailCleanly) {
    const HWND window = Create(kTestClass, WS_POPUP, {0, 0, 10, 10});
    ASSERT_TRUE(DestroyWindow(window));
    const HWND reused = Create(kTestClass, WS_POPUP, {0, 0, 10, 10});
    EXPECT_NE(reused, window);

    const auto tagged = reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(reused) | 1);
    for (HWND bad : {window, reinterpret_cast<HWND>(0x1234), tagged,
                     reinterpret_cast<HWND>(~ULONG_PTR{0} << 2)}) {
        SCOPED_TRACE(reinterpret_cast<ULONG_PTR>(bad));
        EXPECT_FALSE(IsWindow(bad));
        SetLastError(0);
        EXPECT_EQ(GetWindowLongPtrW(bad, GWLP_USERDATA), 0);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
        EXPECT_EQ(SendMessageW(bad, WM_USER, 0, 0), 0);
        EXPECT_FALSE(PostMessageW(bad, WM_USER, 0, 0));
        EXPECT_FALSE(DestroyWindow(bad));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    }
    EXPECT_TRUE(IsWindow(reused));
}

}  // namespace
}  // namespace tessalink::test
