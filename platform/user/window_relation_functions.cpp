// The window tree seen from outside: parents, children, siblings, owners, ids, and
// FindWindowW over the top-level windows of this process and the user's others.
#include <windows.h>
#include <winuser.h>

#include <optional>
#include <string>

#include "user/remote/remote_windows.h"
#include "user/top_level_search.h"
#include "user/window_manager.h"
#include "user/window_tree.h"

using platform::user::Window;
using platform::user::WindowManager;

extern "C" HWND WINAPI GetParent(HWND hWnd) {
    auto lock = WindowManager::Instance().Lock();
    const auto window = platform::user::FindOrFail(hWnd);
    if (!window || !window->parent) {
        return nullptr;
    }
    // As on Windows: a child's parent, a pop-up's owner, nothing for other windows.
    if (window->style & WS_CHILD) {
        return window->parent->handle;
    }
    return (window->style & WS_POPUP) ? window->owner : nullptr;
}

extern "C" HWND WINAPI GetDesktopWindow(void) {
    auto lock = WindowManager::Instance().Lock();
    return WindowManager::Instance().Desktop().handle;
}

extern "C" BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd) {
    auto lock = WindowManager::Instance().Lock();
    const auto parent = WindowManager::Instance().Find(hWndParent);
    const auto window = WindowManager::Instance().Find(hWnd);
    if (!parent || !window) {
        return FALSE;
    }
    // Only the chain of WS_CHILD windows counts, not ownership or the desktop.
    for (const Window* w = window.get(); w->parent && (w->style & WS_CHILD); w = w->parent) {
        if (w->parent == parent.get()) {
            return TRUE;
        }
    }
    return FALSE;
}

extern "C" BOOL WINAPI IsWindow(HWND hWnd) {
    auto lock = WindowManager::Instance().Lock();
    return WindowManager::Instance().Find(hWnd) != nullptr;
}

extern "C" BOOL WINAPI IsWindowVisible(HWND hWnd) {
    auto lock = WindowManager::Instance().Lock();
    const auto window = WindowManager::Instance().Find(hWnd);
    if (!window) {
        return FALSE;
    }
    for (const Window* w = window.get(); w; w = w->parent) {
        if (!(w->style & WS_VISIBLE)) {
            return FALSE;
        }
    }
    return TRUE;
}

extern "C" BOOL WINAPI IsWindowEnabled(HWND hWnd) {
    auto lock = WindowManager::Instance().Lock();
    const auto window = WindowManager::Instance().Find(hWnd);
    return window && !(window->style & WS_DISABLED);
}

extern "C" HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
    auto lock = WindowManager::Instance().Lock();
    const auto window = platform::user::FindOrFail(hWnd);
    if (!window) {
        return nullptr;
    }
    if (uCmd == GW_CHILD) {
        return window->children.empty() ? nullptr : window->children.front()->handle;
    }
    if (uCmd == GW_OWNER) {
        return window->owner;
    }
    if (!window->parent) {
        return nullptr;
    }
    const auto& siblings = window->parent->children;
    std::size_t index = 0;
    while (siblings[index] != window) {
        ++index;
    }
    switch (uCmd) {
        case GW_HWNDFIRST:
            return siblings.front()->handle;
        case GW_HWNDLAST:
            return siblings.back()->handle;
        case GW_HWNDNEXT:
            return index + 1 < siblings.size() ? siblings[index + 1]->handle : nullptr;
        case GW_HWNDPREV:
            return index > 0 ? siblings[index - 1]->handle : nullptr;
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
    }
}

extern "C" HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
    auto lock = WindowManager::Instance().Lock();
    const auto dialog = platform::user::FindOrFail(hDlg);
    if (!dialog) {
        return nullptr;
    }
    for (const auto& child : dialog->children) {
        if (static_cast<int>(child->id) == nIDDlgItem) {
            return child->handle;
        }
    }
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}

extern "C" int WINAPI GetDlgCtrlID(HWND hWnd) {
    auto lock = WindowManager::Instance().Lock();
    const auto window = platform::user::FindOrFail(hWnd);
    return window && (window->style & WS_CHILD) ? static_cast<int>(window->id) : 0;
}

// This process's windows first, then the other processes' (asked by name: a class atom
// means nothing outside the process that made it).
extern "C" HWND WINAPI FindWindowW(LPCWSTR lpClassName, LPCWSTR lpWindowName) {
    std::optional<std::u16string> title;
    if (lpWindowName) {
        title.emplace(lpWindowName);
    }
    bool classHere = true;
    {
        auto& manager = WindowManager::Instance();
        auto lock = manager.Lock();
        std::shared_ptr<platform::user::WindowClass> wantedClass;
        if (lpClassName) {
            wantedClass = manager.Classes().Find(lpClassName);
            classHere = wantedClass != nullptr;
        }
        if (classHere) {
            if (const HWND found = platform::user::FindTopLevelWindow(wantedClass, title)) {
                return found;
            }
        }
    }
    if (!lpClassName || !IS_INTRESOURCE(lpClassName)) {
        std::optional<std::u16string> className;
        if (lpClassName) {
            className.emplace(lpClassName);
        }
        if (const HWND found = platform::user::RemoteWindows::Instance().Find(className, title)) {
            return found;
        }
    }
    SetLastError(classHere ? ERROR_SUCCESS : ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
}

extern "C" DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
    auto lock = WindowManager::Instance().Lock();
    const auto window = platform::user::FindOrFail(hWnd);
    if (!window || !window->queue) {
        return 0;
    }
    if (lpdwProcessId) {
        *lpdwProcessId = GetCurrentProcessId();
    }
    return window->queue->ThreadId();
}
