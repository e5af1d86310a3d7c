// The window procedure shared by the static, button and edit classes. Each window's
// control object lives in the window's extra bytes (offset 0, so a class registers
// kControlWindowExtraBytes); GWLP_USERDATA stays the program's. The object is made at
// WM_NCCREATE and freed after WM_NCDESTROY, but never while one of its own handlers is
// still running further up the stack: a parent that destroys the control from inside a
// notification would otherwise free the object under the handler that sent it.
//
// Every control adds its state to the automation dump, so the dump message is answered
// here and each control only says what its state is.
#pragma once

#include <windows.h>

#include <nlohmann/json.hpp>

#include "user/window_dump.h"

namespace platform::controls {

inline constexpr int kControlWindowExtraBytes = sizeof(LONG_PTR);

// The point of a mouse message, in client coordinates; signed, since a window holding
// the capture hears of points left of and above it.
inline POINT PointFromParam(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

template <typename Control>
class ControlWindow {
  public:
    // Control needs a constructor from (HWND, const CREATESTRUCTW&),
    // void Dump(nlohmann::json&) const, and LRESULT HandleMessage(UINT, WPARAM, LPARAM),
    // which passes what it leaves to DefWindowProcW.
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto& create = *reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new ControlWindow(hwnd, create)));
        }
        auto* window = reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(hwnd, 0));
        if (window == nullptr) {
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        ++window->nesting_;
        const LRESULT result = window->Handle(message, wParam, lParam);
        --window->nesting_;
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, 0, 0);
            window->destroyed_ = true;
        }
        if (window->destroyed_ && window->nesting_ == 0) {
            delete window;
        }
        return result;
    }

    // Registers the window class `name` for Control; registering twice is harmless.
    static void Register(LPCWSTR name, HCURSOR cursor = nullptr) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.cbWndExtra = kControlWindowExtraBytes;
        windowClass.hCursor = cursor;
        windowClass.lpszClassName = name;
        RegisterClassW(&windowClass);  // already registered: nothing to do
    }

  private:
    ControlWindow(HWND hwnd, const CREATESTRUCTW& create) : control_(hwnd, create) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == user::kDumpContentMessage) {
            control_.Dump(*reinterpret_cast<nlohmann::json*>(lParam));
            return 1;
        }
        return control_.HandleMessage(message, wParam, lParam);
    }

    Control control_;
    int nesting_ = 0;
    bool destroyed_ = false;
};

}  // namespace platform::controls
