// Creating and destroying windows: message order, what creation passes, classes, and
// handles that must go stale.
#include <windows.h>
#include <winuser.h>

#include "window_test.h"

namespace tessalink::test {
namespace {

class WindowLifecycleTest : public WindowTest {};

TEST_F(WindowLifecycleTest, VisibleTopLevelWindowIsCreatedActivatedAndFocused) {
    const HWND window =
        CreateWindowExW(0, kTestClass, u"Main", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    created_.push_back(window);
    ASSERT_NE(window, nullptr);
    EXPECT_MESSAGES({{WM_NCCREATE, kSent},
                     {WM_CREATE, kSent},
                     {WM_SIZE, kSent | kWParam | kLParam, SIZE_RESTORED, MAKELPARAM(240, 294)},
                     {WM_MOVE, kSent | kLParam, 0, MAKELPARAM(0, 26)},
                     {WM_SHOWWINDOW, kSent | kWParam, TRUE},
                     {WM_WINDOWPOSCHANGING, kSent},
                     {WM_WINDOWPOSCHANGED, kSent},
                     {WM_ACTIVATE, kSent | kWParam, WA_ACTIVE},
                     {WM_SETFOCUS, kSent}});
    RECT rect{};
    GetWindowRect(window, &rect);
    RECT workArea{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0));
    EXPECT_TRUE(EqualRect(&rect, &workArea));
    EXPECT_EQ(rect.top, 26);
    EXPECT_EQ(rect.bottom, 320);
    EXPECT_EQ(GetActiveWindow(), window);
    EXPECT_EQ(GetFocus(), window);
    WCHAR title[16]{};
    EXPECT_EQ(GetWindowTextW(window, title, 16), 4);
    EXPECT_EQ(std::u16string(title), u"Main");
}

TEST_F(WindowLifecycleTest, ChildCreationReportsClientGeometryAndLeavesActivationAlone) {
    const HWND parent = Create(kParentClass, WS_VISIBLE);
    MessageLog::Instance().Clear();
    const HWND child =
        Create(kTestClass, WS_CHILD | WS_VISIBLE | WS_BORDER, {10, 20, 110, 70}, parent, 5);
    EXPECT_MESSAGES({{WM_NCCREATE, kSent},
                     {WM_CREATE, kSent},
                     // The one-pixel border leaves a 98 x 48 client area one pixel inside.
                     {WM_SIZE, kSent | kWParam | kLParam, SIZE_RESTORED, MAKELPARAM(98, 48)},
                     {WM_MOVE, kSent | kLParam, 0, MAKELPARAM(11, 21)},
                     {WM_SHOWWINDOW, kSent | kWParam, TRUE},
                     {WM_WINDOWPOSCHANGING, kSent},
                     {WM_WINDOWPOSCHANGED, kSent}});
    EXPECT_EQ(GetParent(child), parent);
    EXPECT_EQ(GetDlgItem(parent, 5), child);
    EXPECT_EQ(GetDlgCtrlID(child), 5);
    EXPECT_EQ(GetActiveWindow(), parent);
    RECT rect{};
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 26 + 20);
    POINT point{0, 0};
    ClientToScreen(child, &point);
    EXPECT_EQ(point.x, 11);
    EXPECT_EQ(point.y, 47);
}

struct CreationRecord {
    CREATESTRUCTW create{};
    int calls = 0;
};
CreationRecord creation;

LRESULT CALLBACK RefusingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        creation.create = *reinterpret_cast<CREATESTRUCTW*>(lParam);
        ++creation.calls;
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
    EXPECT_MESSAGES(
        {{WM_NCCREATE, kSent}, {WM_CREATE, kSent}, {WM_DESTROY, kSent}, {WM_NCDESTROY, kSent}});
    ASSERT_EQ(creation.calls, 1);
    EXPECT_EQ(creation.create.lpCreateParams, &parameter);
    EXPECT_EQ(creation.create.x, 1);
    EXPECT_EQ(creation.create.y, 2);
    EXPECT_EQ(creation.create.cx, 3);
    EXPECT_EQ(creation.create.cy, 4);
    EXPECT_EQ(creation.create.style, static_cast<LONG>(WS_POPUP));
    EXPECT_EQ(creation.create.dwExStyle, static_cast<DWORD>(WS_EX_WINDOWEDGE));
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

    WNDCLASSW info{};
    ASSERT_TRUE(GetClassInfoW(nullptr, u"shared", &info));
    EXPECT_EQ(info.lpfnWndProc, &DefWindowProcW);
    EXPECT_EQ(info.cbWndExtra, DLGWINDOWEXTRA);

    const HWND window = Create(MAKEINTATOM(atom), WS_POPUP);
    ASSERT_NE(window, nullptr);
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
    EXPECT_MESSAGES({{WM_WINDOWPOSCHANGING, kSent | kParent},
                     {WM_WINDOWPOSCHANGED, kSent | kParent},
                     {WM_ACTIVATE, kSent | kParent | kWParam, WA_INACTIVE},
                     {WM_KILLFOCUS, kSent | kParent},
                     // The owned pop-up goes before its owner hears anything more.
                     {WM_DESTROY, kSent},
                     {WM_NCDESTROY, kSent},
                     {WM_DESTROY, kSent | kParent},
                     {WM_DESTROY, kSent},
                     {WM_DESTROY, kSent},
                     {WM_NCDESTROY, kSent},
                     {WM_NCDESTROY, kSent},
                     {WM_NCDESTROY, kSent | kParent}});
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
    EXPECT_MESSAGES({{WM_SHOWWINDOW, kSent | kWParam, FALSE},
                     {WM_WINDOWPOSCHANGING, kSent},
                     {WM_WINDOWPOSCHANGED, kSent},
                     {WM_KILLFOCUS, kSent | kWParam, reinterpret_cast<WPARAM>(parent)},
                     {WM_SETFOCUS, kSent | kParent | kWParam, reinterpret_cast<WPARAM>(child)},
                     {WM_DESTROY, kSent},
                     {WM_NCDESTROY, kSent}});
    EXPECT_EQ(GetFocus(), parent);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
}

TEST_F(WindowLifecycleTest, StaleAndForgedHandlesFailCleanly) {
    const HWND window = Create(kTestClass, WS_POPUP, {0, 0, 10, 10});
    ASSERT_TRUE(DestroyWindow(window));
    const HWND reused = Create(kTestClass, WS_POPUP, {0, 0, 10, 10});
    ASSERT_NE(reused, nullptr);
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
        EXPECT_FALSE(ShowWindow(bad, SW_SHOW));
        EXPECT_FALSE(DestroyWindow(bad));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    }
    EXPECT_TRUE(IsWindow(reused));
}

}  // namespace
}  // namespace tessalink::test
