// Synthesised styles, made from a rendered glyph image so that they work for outline
// and bitmap-only faces alike.
#pragma once

#include "gdi/glyph.h"

namespace platform::gdi {

// One pixel wider: each row ORed with itself shifted right, as Windows emboldens.
Glyph Emboldened(const Glyph& glyph);
// Rows shifted right by a quarter of their height above the baseline.
Glyph Slanted(const Glyph& glyph);

}  // namespace platform::gdi
