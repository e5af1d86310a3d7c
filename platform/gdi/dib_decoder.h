// Reads device-independent bitmaps as bitmap and icon resources hold them: a
// BITMAPINFOHEADER, a colour table for 1, 4 and 8 bits per pixel, then the rows, bottom
// up unless the height is negative. Malformed or truncated data gives nothing.
#pragma once

#include "gdi/bitmap.h"
#include "gdi/icon.h"

#include <cstdint>
#include <optional>
#include <span>

namespace platform::gdi {

std::optional<Bitmap> DecodeDib(std::span<const std::uint8_t> bytes);

// An RT_ICON image: the header's height counts the colour rows and the 1-bit AND mask
// rows that follow them.
std::optional<Icon> DecodeIconImage(std::span<const std::uint8_t> bytes);

}  // namespace platform::gdi
