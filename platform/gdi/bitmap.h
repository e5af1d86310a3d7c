// A bitmap's pixels, kept as 32-bit 0x00RRGGBB whatever depth it was made with; the
// depth it was made with is what GetObjectW reports.
#pragma once

#include "gdi/pixel_surface.h"

#include <cstdint>
#include <vector>

namespace platform::gdi {

class Bitmap {
  public:
    Bitmap(int width, int height, int bits_per_pixel, std::uint32_t fill = 0)
        : width_(width),
          height_(height),
          bits_per_pixel_(bits_per_pixel),
          pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return bits_per_pixel_; }
    std::vector<std::uint32_t>& Pixels() { return pixels_; }
    PixelSurface Surface() { return PixelSurface{pixels_.data(), width_, height_}; }

  private:
    int width_ = 0;
    int height_ = 0;
    int bits_per_pixel_ = 32;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace platform::gdi
