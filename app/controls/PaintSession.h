// The bracket of a control's WM_PAINT: BeginPaint when made, EndPaint when it goes, so
// no return path leaves the update region validated without its EndPaint.
#pragma once

#include <windows.h>

class PaintSession {
  public:
    explicit PaintSession(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {
        GetClientRect(hwnd, &client_);
    }
    ~PaintSession() { EndPaint(hwnd_, &paint_); }
    PaintSession(const PaintSession&) = delete;
    PaintSession& operator=(const PaintSession&) = delete;

    HDC Dc() const { return dc_; }
    // The whole client area, which both controls paint in full.
    const RECT& Client() const { return client_; }

  private:
    HWND hwnd_ = nullptr;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
    RECT client_{};
};
