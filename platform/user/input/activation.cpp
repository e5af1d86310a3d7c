// SetActiveWindow and the foreground. Activating sends WM_ACTIVATE (WA_INACTIVE) to the
// window losing it, then WM_ACTIVATE (WA_ACTIVE) to the new one, whose default handling
// takes the focus; if the focus is still outside the new window afterwards it is moved to
// the window itself, as Windows does.
#include "user/input/activation.h"

#include <winuser.h>

#include "user/paint/update_region.h"
#include "user/remote/remote_windows.h"
#include "user/shell_hook.h"
#include "user/window_manager.h"
#include "user/window_tree.h"

namespace platform::user {

namespace {

// WS_EX_NOACTIVATE keeps the shell's bars from being chosen when the active window goes.
bool CanBeActive(const Window& window) {
    return IsShown(window) && !(window.style & WS_DISABLED) &&
           !(window.exStyle & WS_EX_NOACTIVATE) && !window.destroying;
}

// Brings a top-level window to the top of the z-order. Needs the lock.
void BringToTop(Window& window) {
    auto& siblings = window.parent->children;
    if (!siblings.empty() && siblings.front().get() == &window) {
        return;
    }
    PlaceInZOrder(window, HWND_TOP);
    if (IsShown(window)) {
        InvalidateWindowAndDescendants(window);
    }
}

}  // namespace

void ActivateAnotherWindow(HWND leaving) {
    HWND next = nullptr;
    {
        auto& manager = WindowManager::Instance();
        auto lock = manager.Lock();
        const auto window = manager.Find(leaving);
        const auto owner = window ? manager.Find(window->owner) : nullptr;
        if (owner && CanBeActive(*owner)) {
            next = owner->handle;
        } else {
            for (const auto& topLevel : manager.Desktop().children) {
                if (topLevel->handle != leaving && CanBeActive(*topLevel)) {
                    next = topLevel->handle;
                    break;
                }
            }
        }
    }
    SetActiveWindow(next);
}

}  // namespace platform::user

using platform::user::WindowManager;

extern "C" HWND WINAPI SetActiveWindow(HWND hWnd) {
    auto& manager = WindowManager::Instance();
    HWND previous = nullptr;
    HWND target = nullptr;
    bool minimized = false;
    {
        auto lock = manager.Lock();
        previous = manager.active;
        if (hWnd) {
            const auto window = platform::user::FindOrFail(hWnd);
            if (!window) {
                return nullptr;
            }
            auto& topLevel = platform::user::TopLevelOf(*window);
            target = topLevel.handle;
            minimized = topLevel.style & WS_MINIMIZE;
            platform::user::BringToTop(topLevel);
        }
        if (previous == target) {
            return previous;
        }
        manager.active = target;
    }
    platform::user::NotifyShell(platform::user::ShellEvent::ActiveWindowChanged, target);
    if (previous && IsWindow(previous)) {
        SendMessageW(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(previous)),
                     reinterpret_cast<LPARAM>(target));
    }
    if (!target) {
        SetFocus(nullptr);
        return previous;
    }
    SendMessageW(target, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, minimized),
                 reinterpret_cast<LPARAM>(previous));
    bool focusOutside = false;
    {
        auto lock = manager.Lock();
        const auto focus = manager.Find(manager.focus);
        const auto window = manager.Find(target);
        focusOutside = manager.active == target && window && !minimized &&
                       (!focus || &platform::user::TopLevelOf(*focus) != window.get());
    }
    if (focusOutside) {
        SetFocus(target);
    }
    return previous;
}

extern "C" HWND WINAPI GetActiveWindow(void) {
    auto lock = WindowManager::Instance().Lock();
    return WindowManager::Instance().active;
}

// The low bit of the handle asks for the window's owned pop-up (an open dialog) to come
// forward instead, when it has one. Another process's window is brought forward by
// that process.
extern "C" BOOL WINAPI SetForegroundWindow(HWND hWnd) {
    const auto value = reinterpret_cast<ULONG_PTR>(hWnd);
    HWND target = reinterpret_cast<HWND>(value & ~ULONG_PTR{1});
    auto& remote = platform::user::RemoteWindows::Instance();
    if (remote.Holds(target)) {
        return remote.BringForward(target, value & 1);
    }
    {
        auto& manager = WindowManager::Instance();
        auto lock = manager.Lock();
        if (!platform::user::FindOrFail(target)) {
            return FALSE;
        }
        if (value & 1) {
            for (const auto& topLevel : manager.Desktop().children) {
                if (topLevel->owner == target && platform::user::CanBeActive(*topLevel)) {
                    target = topLevel->handle;
                    break;
                }
            }
        }
    }
    SetActiveWindow(target);
    return GetActiveWindow() == target;
}

extern "C" HWND WINAPI GetForegroundWindow(void) {
    return GetActiveWindow();
}
