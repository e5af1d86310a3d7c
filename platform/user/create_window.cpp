// CreateWindowExW, with the messages in Windows' order: WM_NCCREATE, WM_CREATE, WM_SIZE
// and WM_MOVE, then, for WS_VISIBLE, what ShowWindow(SW_SHOW) sends.
#include <windows.h>
#include <winuser.h>

#include <algorithm>

#include "user/client_reports.h"
#include "user/remote/window_request_server.h"
#include "user/screen_geometry.h"
#include "user/window_manager.h"
#include "user/window_tree.h"

using platform::user::Window;
using platform::user::WindowManager;

namespace {

struct Placement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A top-level window made with CW_USEDEFAULT fills the work area below the navigation
// bar; a child's CW_USEDEFAULT means 0.
Placement DefaultPlacement(bool child, int x, int y, int width, int height) {
    using platform::user::kWorkArea;
    Placement placement{x, y, width, height};
    if (x == CW_USEDEFAULT) {
        placement.x = child ? 0 : kWorkArea.left;
        placement.y = child ? 0 : kWorkArea.top;
    }
    if (width == CW_USEDEFAULT) {
        placement.width = child ? 0 : kWorkArea.right - kWorkArea.left;
        placement.height = child ? 0 : kWorkArea.bottom - kWorkArea.top;
    }
    placement.width = std::max(placement.width, 0);
    placement.height = std::max(placement.height, 0);
    return placement;
}

// Makes the window's record and links it into the tree; null with the error set.
std::shared_ptr<Window> MakeWindow(DWORD exStyle, LPCWSTR className, DWORD style,
                                   const Placement& placement, HWND parent, HMENU menu,
                                   HINSTANCE instance) {
    auto& manager = WindowManager::Instance();
    auto windowClass = manager.Classes().Find(className);
    if (!windowClass) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    const bool child = style & WS_CHILD;
    std::shared_ptr<Window> parentWindow;
    if (parent) {
        parentWindow = platform::user::FindOrFail(parent);
        if (!parentWindow) {
            return nullptr;
        }
    } else if (child) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return nullptr;
    }

    auto window = std::make_shared<Window>();
    window->windowClass = windowClass;
    window->procedure = windowClass->procedure;
    // WS_VISIBLE comes with the ShowWindow at the end of creation.
    window->style = style & ~WS_VISIBLE;
    window->exStyle = exStyle;
    window->id = reinterpret_cast<LONG_PTR>(menu);
    window->instance = instance;
    window->extraBytes.resize(static_cast<std::size_t>(windowClass->windowExtraBytes));
    window->rect = RECT{placement.x, placement.y, placement.x + placement.width,
                        placement.y + placement.height};
    window->queue = platform::user::CurrentQueue();
    if (!manager.Insert(window)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (child) {
        // Controls keep their creation order: the first one made is the top of the z-order.
        platform::user::LinkChild(*parentWindow, window, false);
    } else {
        // Top-level windows always clip each other.
        window->style |= WS_CLIPSIBLINGS;
        if (parentWindow) {
            window->owner = platform::user::TopLevelOf(*parentWindow).handle;
        }
        platform::user::LinkChild(manager.Desktop(), window, true);
    }
    ++windowClass->windowCount;
    return window;
}

}  // namespace

extern "C" HWND WINAPI CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName,
                                       DWORD dwStyle, int X, int Y, int nWidth, int nHeight,
                                       HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                                       LPVOID lpParam) {
    const bool child = dwStyle & WS_CHILD;
    const Placement placement = DefaultPlacement(child, X, Y, nWidth, nHeight);
    HWND hwnd = nullptr;
    {
        auto lock = WindowManager::Instance().Lock();
        const auto window =
            MakeWindow(dwExStyle, lpClassName, dwStyle, placement, hWndParent, hMenu, hInstance);
        if (!window) {
            return nullptr;
        }
        hwnd = window->handle;
    }

    CREATESTRUCTW create{lpParam,      hInstance,        hMenu,
                         hWndParent,   placement.height, placement.width,
                         placement.y,  placement.x,      static_cast<LONG>(dwStyle),
                         lpWindowName, lpClassName,      dwExStyle};
    const auto createParam = reinterpret_cast<LPARAM>(&create);
    if (!SendMessageW(hwnd, WM_NCCREATE, 0, createParam) ||
        SendMessageW(hwnd, WM_CREATE, 0, createParam) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }

    SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, platform::user::ClientSizeParam(hwnd));
    SendMessageW(hwnd, WM_MOVE, 0, platform::user::ClientOriginParam(hwnd));

    if (dwStyle & WS_VISIBLE) {
        ShowWindow(hwnd, SW_SHOW);
    }
    if (!child) {
        platform::user::PublishWindowsToOtherProcesses();
    }
    return IsWindow(hwnd) ? hwnd : nullptr;
}
