// DestroyWindow, in Windows' order: the window is hidden, the windows it owns are
// destroyed, WM_DESTROY goes to it and then down through its children (a parent still
// sees its children while it handles WM_DESTROY), and WM_NCDESTROY comes back up from
// the deepest children to the window itself. Only then do the handles go stale.
#include <windows.h>
#include <winuser.h>

#include <algorithm>
#include <vector>

#include "user/input/activation.h"
#include "user/window_manager.h"
#include "user/window_tree.h"

using platform::user::Window;
using platform::user::WindowManager;

namespace {

std::vector<HWND> ChildHandles(HWND hwnd) {
    auto lock = WindowManager::Instance().Lock();
    std::vector<HWND> handles;
    if (const auto window = WindowManager::Instance().Find(hwnd)) {
        for (const auto& child : window->children) {
            handles.push_back(child->handle);
        }
    }
    return handles;
}

std::vector<HWND> OwnedWindows(HWND owner) {
    auto lock = WindowManager::Instance().Lock();
    std::vector<HWND> owned;
    for (const auto& topLevel : WindowManager::Instance().Desktop().children) {
        if (topLevel->owner == owner) {
            owned.push_back(topLevel->handle);
        }
    }
    return owned;
}

void SendDestroy(HWND hwnd) {
    SendMessageW(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : ChildHandles(hwnd)) {
        SendDestroy(child);
    }
}

// Forgets a window whose WM_NCDESTROY has been handled. Needs the lock.
void Retire(Window& window) {
    auto& manager = WindowManager::Instance();
    window.destroyed = true;
    platform::user::UnlinkFromParent(window);
    --window.windowClass->windowCount;
    auto& queue = *window.queue;
    std::erase_if(queue.posted, [&](const auto& q) { return q.msg.hwnd == window.handle; });
    std::erase_if(queue.timers, [&](const auto& t) { return t.window == window.handle; });
    std::erase_if(queue.incomingSends, [&](const auto& send) {
        if (send->window != window.handle) {
            return false;
        }
        send->done = true;
        send->sender->wake.notify_all();
        return true;
    });
    for (HWND* reference : {&manager.focus, &manager.active, &manager.capture}) {
        if (*reference == window.handle) {
            *reference = nullptr;
        }
    }
    manager.Erase(window.handle);
}

void SendNcDestroy(HWND hwnd) {
    for (HWND child : ChildHandles(hwnd)) {
        SendNcDestroy(child);
    }
    SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
    auto lock = WindowManager::Instance().Lock();
    if (const auto window = WindowManager::Instance().Find(hwnd)) {
        Retire(*window);
    }
}

// Focus leaves a dying child for its parent; capture is released.
void ReleaseInputFrom(HWND hwnd) {
    HWND focusTarget = nullptr;
    bool moveFocus = false;
    bool releaseCapture = false;
    {
        auto& manager = WindowManager::Instance();
        auto lock = manager.Lock();
        const auto window = manager.Find(hwnd);
        const auto inside = [&](HWND other) {
            const auto w = manager.Find(other);
            return w && (w == window || platform::user::IsAncestorOf(*window, *w));
        };
        moveFocus = inside(manager.focus);
        releaseCapture = inside(manager.capture);
        if (moveFocus && !platform::user::IsTopLevel(*window)) {
            focusTarget = window->parent->handle;
        }
    }
    if (moveFocus) {
        SetFocus(focusTarget);
    }
    if (releaseCapture) {
        ReleaseCapture();
    }
}

}  // namespace

extern "C" BOOL WINAPI DestroyWindow(HWND hWnd) {
    bool topLevel = false;
    bool visible = false;
    {
        auto& manager = WindowManager::Instance();
        auto lock = manager.Lock();
        const auto window = platform::user::FindOrFail(hWnd);
        if (!window) {
            return FALSE;
        }
        if (window.get() == &manager.Desktop() || window->queue != platform::user::CurrentQueue()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        if (window->destroying) {
            return TRUE;
        }
        window->destroying = true;
        topLevel = platform::user::IsTopLevel(*window);
        visible = window->style & WS_VISIBLE;
    }
    if (visible) {
        if (topLevel) {
            SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            ShowWindow(hWnd, SW_HIDE);
        }
    }
    if (topLevel) {
        for (HWND owned : OwnedWindows(hWnd)) {
            DestroyWindow(owned);
        }
        if (GetActiveWindow() == hWnd) {
            platform::user::ActivateAnotherWindow(hWnd);
        }
    }
    ReleaseInputFrom(hWnd);
    SendDestroy(hWnd);
    SendNcDestroy(hWnd);
    return TRUE;
}
