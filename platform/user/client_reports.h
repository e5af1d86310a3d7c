// The lParam values of WM_MOVE and WM_SIZE: where a window's client area starts (in its
// parent's client coordinates, or the screen's for a top-level window) and how big it is.
#pragma once

#include <windows.h>
#include <winuser.h>

namespace platform::user {

inline LPARAM ClientOriginParam(HWND hwnd) {
    POINT origin{};
    const bool child = GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD;
    MapWindowPoints(hwnd, child ? GetParent(hwnd) : nullptr, &origin, 1);
    return MAKELPARAM(origin.x, origin.y);
}

inline LPARAM ClientSizeParam(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return MAKELPARAM(client.right, client.bottom);
}

}  // namespace platform::user
