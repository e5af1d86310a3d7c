// Keyboard focus, mouse capture and enabling. The focus changes before WM_KILLFOCUS is
// sent, so the window losing it already sees the new focus, as on Windows.
#include <windows.h>
#include <winuser.h>

#include "user/window_manager.h"
#include "user/window_tree.h"

using platform::user::WindowManager;

namespace {

// A window can take the focus while neither it nor an ancestor is minimised or disabled.
bool CanTakeFocus(const platform::user::Window& window) {
    for (const auto* w = &window; w && w->parent; w = w->parent) {
        if (w->style & (WS_MINIMIZE | WS_DISABLED)) {
            return false;
        }
    }
    return true;
}

void SetDisabledStyle(HWND hwnd, bool disabled) {
    auto lock = WindowManager::Instance().Lock();
    if (const auto window = WindowManager::Instance().Find(hwnd)) {
        window->style = disabled ? (window->style | WS_DISABLED) : (window->style & ~WS_DISABLED);
    }
}

}  // namespace

extern "C" HWND WINAPI SetFocus(HWND hWnd) {
    auto& manager = WindowManager::Instance();
    if (hWnd) {
        HWND topLevel = nullptr;
        {
            auto lock = manager.Lock();
            const auto window = platform::user::FindOrFail(hWnd);
            if (!window || !CanTakeFocus(*window)) {
                return nullptr;
            }
            if (manager.focus == hWnd) {
                return hWnd;
            }
            topLevel = platform::user::TopLevelOf(*window).handle;
        }
        if (GetActiveWindow() != topLevel) {
            SetActiveWindow(topLevel);
            if (!IsWindow(hWnd) || GetActiveWindow() != topLevel) {
                return nullptr;
            }
        }
    }
    HWND previous = nullptr;
    {
        auto lock = manager.Lock();
        previous = manager.focus;
        if (previous == hWnd) {
            return previous;
        }
        manager.focus = hWnd;
    }
    if (previous && IsWindow(previous)) {
        SendMessageW(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
        if (GetFocus() != hWnd) {
            return previous;
        }
    }
    if (hWnd) {
        SendMessageW(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
    return previous;
}

extern "C" HWND WINAPI GetFocus(void) {
    auto lock = WindowManager::Instance().Lock();
    return WindowManager::Instance().focus;
}

extern "C" HWND WINAPI SetCapture(HWND hWnd) {
    HWND previous = nullptr;
    {
        auto& manager = WindowManager::Instance();
        auto lock = manager.Lock();
        if (!platform::user::FindOrFail(hWnd)) {
            return nullptr;
        }
        previous = manager.capture;
        manager.capture = hWnd;
    }
    if (previous && previous != hWnd) {
        SendMessageW(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    }
    return previous;
}

extern "C" BOOL WINAPI ReleaseCapture(void) {
    HWND previous = nullptr;
    {
        auto& manager = WindowManager::Instance();
        auto lock = manager.Lock();
        previous = manager.capture;
        manager.capture = nullptr;
    }
    if (previous) {
        SendMessageW(previous, WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

extern "C" HWND WINAPI GetCapture(void) {
    auto lock = WindowManager::Instance().Lock();
    return WindowManager::Instance().capture;
}

// Returns whether the window was disabled before. Disabling takes the focus and the
// capture away from the window, then tells it with WM_ENABLE.
extern "C" BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
    bool wasDisabled = false;
    {
        auto lock = WindowManager::Instance().Lock();
        const auto window = platform::user::FindOrFail(hWnd);
        if (!window) {
            return FALSE;
        }
        wasDisabled = window->style & WS_DISABLED;
    }
    if (bEnable && wasDisabled) {
        SetDisabledStyle(hWnd, false);
        SendMessageW(hWnd, WM_ENABLE, TRUE, 0);
    } else if (!bEnable && !wasDisabled) {
        SendMessageW(hWnd, WM_CANCELMODE, 0, 0);
        SetDisabledStyle(hWnd, true);
        if (GetFocus() == hWnd) {
            SetFocus(nullptr);
        }
        if (GetCapture() == hWnd) {
            ReleaseCapture();
        }
        SendMessageW(hWnd, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}
