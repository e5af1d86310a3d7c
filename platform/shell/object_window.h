// The one window procedure behind each of the shell's window classes: the window's state
// is a C++ object made at WM_NCCREATE (from the window and its CREATESTRUCTW), kept in
// the class's extra bytes (GWLP_USERDATA is the program's), given every later message,
// and deleted at WM_NCDESTROY.
#pragma once

#include <windows.h>

namespace platform::shell {

inline constexpr int kObjectWindowExtraBytes = sizeof(LONG_PTR);

template <typename Object>
LRESULT CALLBACK ObjectWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto& create = *reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new Object(hwnd, create)));
    }
    auto* object = reinterpret_cast<Object*>(GetWindowLongPtrW(hwnd, 0));
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

// Registers the class once per process; true when it is there.
template <typename Object>
bool RegisterObjectWindowClass(LPCWSTR name) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ObjectWindowProcedure<Object>;
    windowClass.cbWndExtra = kObjectWindowExtraBytes;
    windowClass.lpszClassName = name;
    return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace platform::shell
