// BeginPaint and EndPaint around a control's WM_PAINT handler, with the client area
// that the handler draws in and the control's font selected.
#pragma once

#include <windows.h>

#include <optional>

#include "controls/control_parent.h"

namespace platform::controls {

class ControlPaint {
  public:
    ControlPaint(HWND hwnd, HFONT font) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {
        GetClientRect(hwnd, &client_);
        if (dc_ != nullptr) {
            font_.emplace(dc_, font);
        }
    }
    ~ControlPaint() {
        if (dc_ != nullptr) {
            font_.reset();
            EndPaint(hwnd_, &paint_);
        }
    }
    ControlPaint(const ControlPaint&) = delete;
    ControlPaint& operator=(const ControlPaint&) = delete;

    // Null when the window cannot be painted; the handler then draws nothing.
    HDC dc() const { return dc_; }
    const RECT& client() const { return client_; }

  private:
    HWND hwnd_;
    PAINTSTRUCT paint_{};
    HDC dc_;
    RECT client_{};
    std::optional<FontSelection> font_;
};

}  // namespace platform::controls
