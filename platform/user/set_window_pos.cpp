// SetWindowPos and MoveWindow. The window hears WM_WINDOWPOSCHANGING (and may change the
// request), then WM_WINDOWPOSCHANGED, whose default handling sends WM_MOVE and WM_SIZE
// for what changed of the client area. Whatever became uncovered is invalidated, and a
// window that appears or moves is invalidated whole.
#include <windows.h>
#include <winuser.h>

#include <algorithm>

#include "user/input/activation.h"
#include "user/paint/update_region.h"
#include "user/window_manager.h"
#include "user/window_tree.h"

using platform::user::Window;
using platform::user::WindowManager;

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::size_t ZIndexOf(const Window& window) {
    const auto& siblings = window.parent->children;
    return static_cast<std::size_t>(
        std::find_if(siblings.begin(), siblings.end(),
                     [&](const auto& c) { return c.get() == &window; }) -
        siblings.begin());
}

struct Outcome {
    bool hidden = false;
    bool shown = false;
    bool topLevel = false;
};

// Applies an accepted WINDOWPOS and completes its flags with what did not change for
// the client area. Needs the lock.
Outcome Apply(Window& window, WINDOWPOS& pos) {
    Outcome outcome;
    outcome.topLevel = platform::user::IsTopLevel(window);
    const bool wasShown = platform::user::IsShown(window);
    const RECT oldScreen = platform::user::WindowScreenRect(window);
    const RECT oldClient = platform::user::ClientRect(window);
    const POINT oldOrigin = platform::user::ClientOrigin(window);
    const std::size_t oldZ = ZIndexOf(window);

    if (!(pos.flags & SWP_NOZORDER)) {
        platform::user::PlaceInZOrder(window, pos.hwndInsertAfter);
    }
    const RECT newRect{pos.x, pos.y, pos.x + std::max(pos.cx, 0), pos.y + std::max(pos.cy, 0)};
    const bool geometryChanged = !SameRect(newRect, window.rect);
    window.rect = newRect;
    if (pos.flags & SWP_SHOWWINDOW) {
        window.style |= WS_VISIBLE;
    }
    if (pos.flags & SWP_HIDEWINDOW) {
        window.style &= ~WS_VISIBLE;
    }
    const bool nowShown = platform::user::IsShown(window);
    const bool changed = geometryChanged || ZIndexOf(window) != oldZ || wasShown != nowShown;
    if (changed && !(pos.flags & SWP_NOREDRAW)) {
        if (wasShown) {
            platform::user::InvalidateExposedArea(oldScreen, &window);
        }
        if (nowShown) {
            platform::user::InvalidateWindowAndDescendants(window);
        }
    }
    const RECT newClient = platform::user::ClientRect(window);
    const POINT newOrigin = platform::user::ClientOrigin(window);
    if (newOrigin.x == oldOrigin.x && newOrigin.y == oldOrigin.y) {
        pos.flags |= SWP_NOCLIENTMOVE;
    }
    if (newClient.right == oldClient.right && newClient.bottom == oldClient.bottom) {
        pos.flags |= SWP_NOCLIENTSIZE;
    }
    outcome.hidden = wasShown && !nowShown;
    outcome.shown = !wasShown && nowShown;
    return outcome;
}

// Focus inside a hidden child goes to its parent; a hidden active window hands
// activation on.
void AfterHide(HWND hwnd, bool topLevel) {
    if (topLevel) {
        if (GetActiveWindow() == hwnd) {
            platform::user::ActivateAnotherWindow(hwnd);
        }
        return;
    }
    const HWND focus = GetFocus();
    if (focus && (focus == hwnd || IsChild(hwnd, focus))) {
        SetFocus(GetParent(hwnd));
    }
}

}  // namespace

extern "C" BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy,
                                    UINT uFlags) {
    WINDOWPOS pos{hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags};
    {
        auto& manager = WindowManager::Instance();
        auto lock = manager.Lock();
        const auto window = platform::user::FindOrFail(hWnd);
        if (!window) {
            return FALSE;
        }
        if (window.get() == &manager.Desktop()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        if (uFlags & SWP_NOMOVE) {
            pos.x = window->rect.left;
            pos.y = window->rect.top;
        }
        if (uFlags & SWP_NOSIZE) {
            pos.cx = window->rect.right - window->rect.left;
            pos.cy = window->rect.bottom - window->rect.top;
        }
    }
    SendMessageW(hWnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    Outcome outcome;
    {
        auto lock = WindowManager::Instance().Lock();
        const auto window = platform::user::FindOrFail(hWnd);
        if (!window) {
            return FALSE;
        }
        outcome = Apply(*window, pos);
    }
    SendMessageW(hWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    if (outcome.hidden) {
        AfterHide(hWnd, outcome.topLevel);
    } else if (outcome.shown && outcome.topLevel && !(uFlags & SWP_NOACTIVATE)) {
        SetActiveWindow(hWnd);
    }
    return TRUE;
}

extern "C" BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight,
                        SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}
