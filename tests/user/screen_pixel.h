// The colour the headless screen shows, read from the frame buffer itself: no device
// context's clipping or window order decides what a test sees, only what was drawn.
#pragma once

#include <windows.h>

#include <cstdint>

#include "display/framebuffer.h"

namespace tessalink::test {

inline COLORREF ScreenPixel(POINT screen) {
    auto& buffer = platform::display::Screen();
    auto lock = buffer.Lock();
    const std::uint32_t pixel = buffer.Pixels()[screen.y * buffer.Width() + screen.x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// A pixel of a window's client area.
inline COLORREF ClientPixel(HWND window, POINT client) {
    ClientToScreen(window, &client);
    return ScreenPixel(client);
}

}  // namespace tessalink::test
