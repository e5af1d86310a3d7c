#include "shell/shell_window.h"

#include <winuser.h>

#include <nlohmann/json.hpp>

#include "user/window_dump.h"

namespace platform::shell {

namespace {

POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
}

}  // namespace

LRESULT DispatchToShellWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* object = reinterpret_cast<ShellWindow*>(GetWindowLongPtrW(hwnd, 0));
    if (!object) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, 0, 0);
        delete object;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return object->HandleMessage(message, wParam, lParam);
}

LRESULT ShellWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            if (HDC dc = BeginPaint(window_, &paint)) {
                Paint(dc);
                EndPaint(window_, &paint);
            }
            return 0;
        }
        case WM_LBUTTONDOWN:
            OnStylusDown(PointOf(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnStylusUp(PointOf(lParam));
            return 0;
        case user::kDumpContentMessage:
            DescribeContent(*reinterpret_cast<nlohmann::json*>(lParam));
            return 1;
        default:
            break;
    }
    if (const auto result = OnClassMessage(message, wParam)) {
        return *result;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace platform::shell
