// The window procedure shared by every control class. Each window's control object
// lives in the window's extra bytes (offset 0, so a class registers
// kControlWindowExtraBytes); GWLP_USERDATA stays the program's. The object is made at
// WM_NCCREATE and freed after WM_NCDESTROY, but never while one of its own handlers is
// still running further up the stack: a parent that destroys the control from inside a
// notification would otherwise free the object under the handler that sent it.
//
// What every control answers alike is answered here, so each control only says what is
// its own: its part of the automation dump, its font (kept in ControlBase, with a hook
// for what depends on it), its paint (inside BeginPaint and EndPaint, with the font
// selected; the paint covers the client area, so the background is never erased), and
// a repaint when it is enabled or disabled.
#pragma once

#include <windows.h>

#include <nlohmann/json.hpp>

#include "controls/control_paint.h"
#include "user/window_dump.h"

namespace platform::controls {

inline constexpr int kControlWindowExtraBytes = sizeof(LONG_PTR);

// Registers a window class whose windows keep a pointer in their extra bytes;
// registering twice is harmless.
inline void RegisterControlClass(LPCWSTR name, WNDPROC procedure, UINT style, HCURSOR cursor) {
    WNDCLASSW windowClass{};
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = kControlWindowExtraBytes;
    windowClass.hCursor = cursor;
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);  // already registered: nothing to do
}

template <typename Control>
class ControlWindow;

// What ControlWindow keeps up for every control.
class ControlBase {
  protected:
    ControlBase() = default;
    virtual ~ControlBase() = default;

    // Draws the whole client area.
    virtual void Paint(HDC dc, const RECT& client) = 0;
    // After WM_SETFONT has changed font_, before the repaint it may ask for.
    virtual void OnFontChanged() {}
    // Before the repaint that follows WM_ENABLE.
    virtual void OnEnable(bool /*enabled*/) {}

    // From WM_SETFONT; null draws in the default font.
    HFONT font_ = nullptr;

  private:
    template <typename Control>
    friend class ControlWindow;
};

// The point of a mouse message, in client coordinates; signed, since a window holding
// the capture hears of points left of and above it.
inline POINT PointFromParam(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

template <typename Control>
class ControlWindow {
  public:
    // Control derives from ControlBase and needs a constructor from
    // (HWND, const CREATESTRUCTW&), void Dump(nlohmann::json&) const, and
    // LRESULT HandleMessage(UINT, WPARAM, LPARAM), which passes what it leaves to
    // DefWindowProcW.
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
    static void Register(LPCWSTR name, UINT style = 0, HCURSOR cursor = nullptr) {
        RegisterControlClass(name, Procedure, style, cursor);
    }

  private:
    ControlWindow(HWND hwnd, const CREATESTRUCTW& create) : hwnd_(hwnd), control_(hwnd, create) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        ControlBase& common = control_;
        switch (message) {
            case user::kDumpContentMessage:
                control_.Dump(*reinterpret_cast<nlohmann::json*>(lParam));
                return 1;
            case WM_SETFONT:
                common.font_ = reinterpret_cast<HFONT>(wParam);
                common.OnFontChanged();
                if (LOWORD(lParam) != 0) {
                    InvalidateRect(hwnd_, nullptr, TRUE);
                }
                return 0;
            case WM_GETFONT:
                return reinterpret_cast<LRESULT>(common.font_);
            case WM_ERASEBKGND:
                return 1;
            case WM_PAINT: {
                const ControlPaint paint(hwnd_, common.font_);
                if (paint.dc() != nullptr) {
                    common.Paint(paint.dc(), paint.client());
                }
                return 0;
            }
            case WM_ENABLE:
                common.OnEnable(wParam != 0);
                InvalidateRect(hwnd_, nullptr, TRUE);
                return 0;
            default:
                return control_.HandleMessage(message, wParam, lParam);
        }
    }

    HWND hwnd_;
    Control control_;
    int nesting_ = 0;
    bool destroyed_ = false;
};

}  // namespace platform::controls
