#include "gdi/canvas.h"

#include "gdi/rect_math.h"

#include <algorithm>
#include <cstdlib>

namespace platform::gdi {

namespace {

std::uint32_t Combine(std::uint32_t dest, std::uint32_t source, BlitOp op) {
    switch (op) {
        case BlitOp::Copy:
            return source;
        case BlitOp::And:
            return dest & source;
        case BlitOp::Or:
            return dest | source;
        case BlitOp::Xor:
            return dest ^ source;
    }
    return source;
}

}  // namespace

Canvas::Canvas(PixelSurface surface, const ClipRegion& clip)
    : surface_(surface), clip_(clip.Intersected(RECT{0, 0, surface.width, surface.height})) {}

void Canvas::Touch(const RECT& rect) {
    touched_ = UnionRects(touched_, rect);
}

void Canvas::FillRect(const RECT& rect, std::uint32_t color) {
    for (const RECT& clip : clip_.Rects()) {
        const RECT part = IntersectRects(rect, clip);
        if (IsEmptyRect(part)) {
            continue;
        }
        for (LONG y = part.top; y < part.bottom; ++y) {
            std::uint32_t* row = &surface_.At(part.left, y);
            std::fill(row, row + (part.right - part.left), color);
        }
        Touch(part);
    }
}

void Canvas::SetPixel(int x, int y, std::uint32_t color) {
    if (clip_.Contains(x, y)) {
        surface_.At(x, y) = color;
        Touch(RECT{x, y, x + 1, y + 1});
    }
}

void Canvas::DrawLine(POINT from, POINT to, std::uint32_t color, int width) {
    // Bresenham; a wide pen stamps a width x width square centred on each point.
    const int before = (width - 1) / 2;
    const int after = width - before;
    auto plot = [&](LONG x, LONG y) {
        if (width <= 1) {
            SetPixel(x, y, color);
        } else {
            FillRect(RECT{x - before, y - before, x + after, y + after}, color);
        }
    };
    const LONG dx = std::abs(to.x - from.x);
    const LONG dy = -std::abs(to.y - from.y);
    const LONG step_x = from.x < to.x ? 1 : -1;
    const LONG step_y = from.y < to.y ? 1 : -1;
    LONG error = dx + dy;
    LONG x = from.x;
    LONG y = from.y;
    while (x != to.x || y != to.y) {
        plot(x, y);
        const LONG doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += step_x;
        }
        if (doubled <= dx) {
            error += dx;
            y += step_y;
        }
    }
}

void Canvas::DrawMono(const MonoImage& image, int x, int y, std::uint32_t color) {
    const RECT bounds{x, y, x + image.width, y + image.rows};
    for (const RECT& clip : clip_.Rects()) {
        const RECT part = IntersectRects(bounds, clip);
        if (IsEmptyRect(part)) {
            continue;
        }
        for (LONG row = part.top; row < part.bottom; ++row) {
            const std::uint8_t* bits = image.bits + (row - y) * image.pitch;
            for (LONG column = part.left; column < part.right; ++column) {
                const LONG bit = column - x;
                if (bits[bit >> 3] & (0x80 >> (bit & 7))) {
                    surface_.At(column, row) = color;
                }
            }
        }
        Touch(part);
    }
}

void Canvas::Blit(const PixelSurface& source, const RECT& source_rect, const RECT& dest_rect,
                  BlitOp op) {
    const LONG dest_width = dest_rect.right - dest_rect.left;
    const LONG dest_height = dest_rect.bottom - dest_rect.top;
    const LONG source_width = source_rect.right - source_rect.left;
    const LONG source_height = source_rect.bottom - source_rect.top;
    if (dest_width <= 0 || dest_height <= 0 || source_width <= 0 || source_height <= 0) {
        return;
    }
    // Source pixels outside the source surface are skipped rather than read.
    for (const RECT& clip : clip_.Rects()) {
        const RECT part = IntersectRects(dest_rect, clip);
        if (IsEmptyRect(part)) {
            continue;
        }
        for (LONG y = part.top; y < part.bottom; ++y) {
            const LONG sy = source_rect.top + (y - dest_rect.top) * source_height / dest_height;
            if (sy < 0 || sy >= source.height) {
                continue;
            }
            for (LONG x = part.left; x < part.right; ++x) {
                const LONG sx = source_rect.left + (x - dest_rect.left) * source_width / dest_width;
                if (sx < 0 || sx >= source.width) {
                    continue;
                }
                std::uint32_t& dest = surface_.At(x, y);
                dest = Combine(dest, source.At(sx, sy), op) & 0xFFFFFF;
            }
        }
        Touch(part);
    }
}

}  // namespace platform::gdi
