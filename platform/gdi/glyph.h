// One rendered character: a one-bit image and where it sits relative to the pen
// position on the baseline.
#pragma once

#include "gdi/canvas.h"

#include <cstdint>
#include <vector>

namespace platform::gdi {

struct Glyph {
    int left = 0;     // from the pen position to the image's left column
    int top = 0;      // from the baseline up to the image's top row
    int advance = 0;  // where the next character's pen position is
    int width = 0;
    int rows = 0;
    int pitch = 0;
    std::vector<std::uint8_t> bits;

    MonoImage Image() const { return MonoImage{bits.data(), pitch, width, rows}; }
};

}  // namespace platform::gdi
