// ShowWindow: WM_SHOWWINDOW when the visibility changes, then the change itself through
// SetWindowPos. Minimising and restoring send WM_SIZE with SIZE_MINIMIZED (client size 0)
// or SIZE_RESTORED (the client size); a minimised window stays WS_VISIBLE but is not on
// the screen. Showing a top-level window activates it unless the command says not to.
#include <windows.h>
#include <winuser.h>

#include "user/client_reports.h"
#include "user/input/activation.h"
#include "user/paint/update_region.h"
#include "user/window_manager.h"
#include "user/window_tree.h"

using platform::user::WindowManager;

namespace {

bool IsMinimizeCommand(int command) {
    return command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE;
}

bool ActivatesWindow(int command) {
    return command != SW_SHOWNA && command != SW_SHOWNOACTIVATE && command != SW_SHOWMINNOACTIVE &&
           command != SW_MINIMIZE && command != SW_HIDE;
}

// Sets or clears WS_MINIMIZE and repaints what that changes. Needs the lock.
void SetMinimized(platform::user::Window& window, bool minimized) {
    if (minimized) {
        platform::user::InvalidateExposedArea(platform::user::WindowScreenRect(window), &window);
        window.style |= WS_MINIMIZE;
    } else {
        window.style &= ~WS_MINIMIZE;
        if (platform::user::IsShown(window)) {
            platform::user::InvalidateWindowAndDescendants(window);
        }
    }
}

}  // namespace

extern "C" BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    bool wasVisible = false;
    bool wasMinimized = false;
    bool topLevel = false;
    {
        auto lock = WindowManager::Instance().Lock();
        const auto window = platform::user::FindOrFail(hWnd);
        if (!window) {
            return FALSE;
        }
        wasVisible = window->style & WS_VISIBLE;
        wasMinimized = window->style & WS_MINIMIZE;
        topLevel = platform::user::IsTopLevel(*window);
    }
    const bool hide = nCmdShow == SW_HIDE;
    const bool minimize = IsMinimizeCommand(nCmdShow);
    const bool restore = nCmdShow == SW_RESTORE || nCmdShow == SW_SHOWNORMAL ||
                         nCmdShow == SW_SHOWDEFAULT || nCmdShow == SW_SHOWMAXIMIZED;
    const bool minimizedChanges = (minimize && !wasMinimized) || (restore && wasMinimized);
    if (wasVisible == !hide && !minimizedChanges) {
        return wasVisible;
    }

    if (wasVisible != !hide) {
        SendMessageW(hWnd, WM_SHOWWINDOW, !hide, 0);
        const UINT visibility = hide ? SWP_HIDEWINDOW : SWP_SHOWWINDOW;
        SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                     visibility | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (minimizedChanges) {
        {
            auto lock = WindowManager::Instance().Lock();
            const auto window = WindowManager::Instance().Find(hWnd);
            if (!window) {
                return wasVisible;
            }
            SetMinimized(*window, minimize);
        }
        if (minimize) {
            SendMessageW(hWnd, WM_SIZE, SIZE_MINIMIZED, 0);
            if (GetActiveWindow() == hWnd) {
                platform::user::ActivateAnotherWindow(hWnd);
            }
        } else {
            SendMessageW(hWnd, WM_SIZE, SIZE_RESTORED, platform::user::ClientSizeParam(hWnd));
        }
    }
    if (topLevel && !hide && ActivatesWindow(nCmdShow) && IsWindow(hWnd)) {
        SetActiveWindow(hWnd);
    }
    return wasVisible;
}
