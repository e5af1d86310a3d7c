#include "gdi/glyph_effects.h"

#include <algorithm>

namespace platform::gdi {

namespace {

constexpr int kSlantDivisor = 4;

bool BitAt(const Glyph& glyph, int x, int row) {
    if (x < 0 || x >= glyph.width) {
        return false;
    }
    return glyph.bits[static_cast<std::size_t>(row * glyph.pitch + (x >> 3))] & (0x80 >> (x & 7));
}

// A blank image of the given width with the glyph's rows and placement.
Glyph BlankLike(const Glyph& glyph, int width) {
    Glyph result;
    result.left = glyph.left;
    result.top = glyph.top;
    result.advance = glyph.advance;
    result.width = width;
    result.rows = glyph.rows;
    result.pitch = (width + 7) / 8;
    result.bits.assign(static_cast<std::size_t>(result.pitch) * result.rows, 0);
    return result;
}

void SetBit(Glyph& glyph, int x, int row) {
    glyph.bits[static_cast<std::size_t>(row * glyph.pitch + (x >> 3))] |=
        static_cast<std::uint8_t>(0x80 >> (x & 7));
}

int FloorDivide(int value, int divisor) {
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

}  // namespace

Glyph Emboldened(const Glyph& glyph) {
    Glyph result = BlankLike(glyph, glyph.width + (glyph.width > 0 ? 1 : 0));
    result.advance = glyph.advance + 1;
    for (int row = 0; row < glyph.rows; ++row) {
        for (int x = 0; x < result.width; ++x) {
            if (BitAt(glyph, x, row) || BitAt(glyph, x - 1, row)) {
                SetBit(result, x, row);
            }
        }
    }
    return result;
}

Glyph Slanted(const Glyph& glyph) {
    if (glyph.rows == 0) {
        return glyph;
    }
    // Row r lies glyph.top - r - 1 pixels above the baseline.
    auto shift = [&](int row) { return FloorDivide(glyph.top - row - 1, kSlantDivisor); };
    const int lowest = shift(glyph.rows - 1);
    const int highest = shift(0);
    Glyph result = BlankLike(glyph, glyph.width + highest - lowest);
    result.left = glyph.left + lowest;
    for (int row = 0; row < glyph.rows; ++row) {
        const int offset = shift(row) - lowest;
        for (int x = 0; x < glyph.width; ++x) {
            if (BitAt(glyph, x, row)) {
                SetBit(result, x + offset, row);
            }
        }
    }
    return result;
}

}  // namespace platform::gdi
