#include "framework/Window.h"

#include "framework/Module.h"

HWND Window::Create(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu) {
    return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu,
                           Module::Process().InstanceHandle(), static_cast<Window*>(this));
}

LRESULT CALLBACK Window::StartProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MessageTarget* target = FromHandle(hwnd, GWLP_USERDATA);
    if (!target && message == WM_NCCREATE && lParam) {
        auto* window =
            static_cast<Window*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (window) {
            window->Attach(hwnd);
            target = window;
        }
    }
    if (!target) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return static_cast<Window*>(target)->Dispatch(hwnd, message, wParam, lParam);
}

LRESULT Window::Answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool handled,
                       LRESULT result) {
    return handled ? result : DefWindowProcW(hwnd, message, wParam, lParam);
}
