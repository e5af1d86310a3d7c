// BeginPaint and EndPaint around a control's WM_PAINT handler, with the client area
// that the handler draws in.
#pragma once

#include <windows.h>

namespace platform::controls {

class ControlPaint {
  public:
    explicit ControlPaint(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {
        GetClientRect(hwnd, &client_);
    }
    ~ControlPaint() {
        if (dc_ != nullptr) {
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
};

}  // namespace platform::controls
