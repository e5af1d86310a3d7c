// A view of 32-bit pixels (0x00RRGGBB), row after row with no padding: the screen's
// framebuffer or a bitmap's memory. It owns nothing.
#pragma once

#include <cstdint>

namespace platform::gdi {

struct PixelSurface {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;

    std::uint32_t& At(int x, int y) const { return pixels[y * width + x]; }
};

}  // namespace platform::gdi
