// The common part of the shell's windows. Each is a C++ object made at WM_NCCREATE (from
// the window and its CREATESTRUCTW), kept in the class's extra bytes (GWLP_USERDATA is
// the program's) and deleted at WM_NCDESTROY. The window procedure unpacks painting,
// the stylus and the automation dump into the virtual functions below.
#pragma once

#include <windows.h>

#include <nlohmann/json_fwd.hpp>
#include <optional>

namespace platform::shell {

class ShellWindow {
  public:
    explicit ShellWindow(HWND window) : window_(window) {}
    virtual ~ShellWindow() = default;
    ShellWindow(const ShellWindow&) = delete;
    ShellWindow& operator=(const ShellWindow&) = delete;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  protected:
    virtual void Paint(HDC dc) = 0;
    virtual void OnStylusDown(POINT point) = 0;
    virtual void OnStylusUp(POINT point) = 0;
    // The window's content for the automation dump.
    virtual void DescribeContent(nlohmann::json& content) = 0;
    // The class's own messages; nullopt passes a message on to DefWindowProcW.
    virtual std::optional<LRESULT> OnClassMessage(UINT message, WPARAM wParam) = 0;

    HWND window_ = nullptr;
};

inline constexpr int kShellWindowExtraBytes = sizeof(LONG_PTR);

LRESULT DispatchToShellWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

template <typename Object>
LRESULT CALLBACK ShellWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto& create = *reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ShellWindow* object = new Object(hwnd, create);
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(object));
    }
    return DispatchToShellWindow(hwnd, message, wParam, lParam);
}

// Registers the class once per process; true when it is there.
template <typename Object>
bool RegisterShellWindowClass(LPCWSTR name) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ShellWindowProcedure<Object>;
    windowClass.cbWndExtra = kShellWindowExtraBytes;
    windowClass.lpszClassName = name;
    return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace platform::shell
