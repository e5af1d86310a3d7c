// Window and client rectangles and coordinate mapping.
#include <windows.h>
#include <winuser.h>

#include "user/window_manager.h"
#include "user/window_tree.h"

using platform::user::WindowManager;

namespace {

// Screen coordinates of a window's client origin; the desktop's (0, 0) for null.
bool ClientOriginOf(HWND hwnd, POINT& origin) {
    if (!hwnd) {
        origin = POINT{};
        return true;
    }
    const auto window = platform::user::FindOrFail(hwnd);
    if (!window) {
        return false;
    }
    origin = platform::user::ClientOrigin(*window);
    return true;
}

}  // namespace

extern "C" BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
    auto lock = WindowManager::Instance().Lock();
    const auto window = platform::user::FindOrFail(hWnd);
    if (!window || !lpRect) {
        return FALSE;
    }
    *lpRect = platform::user::WindowScreenRect(*window);
    return TRUE;
}

extern "C" BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
    auto lock = WindowManager::Instance().Lock();
    const auto window = platform::user::FindOrFail(hWnd);
    if (!window || !lpRect) {
        return FALSE;
    }
    *lpRect = platform::user::ClientRect(*window);
    return TRUE;
}

extern "C" int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
    auto lock = WindowManager::Instance().Lock();
    POINT from{};
    POINT to{};
    if (!ClientOriginOf(hWndFrom, from) || !ClientOriginOf(hWndTo, to)) {
        return 0;
    }
    const LONG dx = from.x - to.x;
    const LONG dy = from.y - to.y;
    for (UINT i = 0; lpPoints && i < cPoints; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<int>(MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy)));
}

extern "C" BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
    if (!hWnd || !lpPoint) {
        SetLastError(hWnd ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    SetLastError(ERROR_SUCCESS);
    MapWindowPoints(hWnd, nullptr, lpPoint, 1);
    return GetLastError() == ERROR_SUCCESS;
}

extern "C" BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
    if (!hWnd || !lpPoint) {
        SetLastError(hWnd ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    SetLastError(ERROR_SUCCESS);
    MapWindowPoints(nullptr, hWnd, lpPoint, 1);
    return GetLastError() == ERROR_SUCCESS;
}

extern "C" BOOL WINAPI IsIconic(HWND hWnd) {
    auto lock = WindowManager::Instance().Lock();
    const auto window = WindowManager::Instance().Find(hWnd);
    return window && (window->style & WS_MINIMIZE);
}
