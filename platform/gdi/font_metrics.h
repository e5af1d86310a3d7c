// A realised font's vertical and horizontal measures in pixels, as TEXTMETRICW
// reports them.
#pragma once

namespace platform::gdi {

struct FontMetrics {
    int ascent = 0;
    int descent = 0;
    int internal_leading = 0;
    int external_leading = 0;
    int average_char_width = 0;
    int max_char_width = 0;
    int underline_offset = 0;  // from the baseline down to the underline's top row
    int underline_thickness = 1;

    int Height() const { return ascent + descent; }
};

}  // namespace platform::gdi
