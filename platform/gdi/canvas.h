// The drawing layer under the GDI: fills, lines, glyph and image blits into a pixel
// surface, each clipped to a region. Coordinates are device pixels; colours are
// 0x00RRGGBB. The canvas remembers the bounding box of what it changed, so the screen
// can present only that.
#pragma once

#include "gdi/clip_region.h"
#include "gdi/pixel_surface.h"

#include <cstdint>

namespace platform::gdi {

// How a blit combines a source pixel with the destination pixel.
enum class BlitOp { Copy, And, Or, Xor };

// One-bit-per-pixel image, most significant bit first, as FreeType renders glyphs.
struct MonoImage {
    const std::uint8_t* bits = nullptr;
    int pitch = 0;
    int width = 0;
    int rows = 0;
};

class Canvas {
  public:
    // `clip` is intersected with the surface's bounds.
    Canvas(PixelSurface surface, const ClipRegion& clip);

    void FillRect(const RECT& rect, std::uint32_t color);
    void SetPixel(int x, int y, std::uint32_t color);
    // A line of `width` pixels from `from` up to, but not including, `to`, as LineTo draws.
    void DrawLine(POINT from, POINT to, std::uint32_t color, int width = 1);
    // Sets the image's one bits at (x, y) to `color`; zero bits stay as they are.
    void DrawMono(const MonoImage& image, int x, int y, std::uint32_t color);
    // Copies `source_rect` of `source` into `dest_rect`, scaling by nearest neighbour.
    void Blit(const PixelSurface& source, const RECT& source_rect, const RECT& dest_rect,
              BlitOp op);

    // The bounding box of the pixels changed so far (empty when none).
    const RECT& Touched() const { return touched_; }

  private:
    void Touch(const RECT& rect);

    PixelSurface surface_;
    ClipRegion clip_;
    RECT touched_{0, 0, 0, 0};
};

}  // namespace platform::gdi
