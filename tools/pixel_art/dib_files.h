// Windows bitmap (.bmp) and icon (.ico) files from pictures, in the forms a resource
// compiler embeds: palette-based device-independent bitmaps, bottom row first.
#pragma once

#include <cstdint>
#include <vector>

#include "pixel_art.h"

namespace tools::pixel_art {

// A .bmp file with a palette of 2^bits entries (bits 1, 4 or 8). Throws
// std::runtime_error when the picture has more colours than that or a transparent
// pixel (a bitmap has no mask; the program's image lists take white as transparent).
std::vector<std::uint8_t> BitmapFile(const Picture& picture, int bits);

// A .ico file holding each picture as one image at 8 bits per pixel, its transparent
// pixels masked out.
std::vector<std::uint8_t> IconFile(const std::vector<Picture>& pictures);

}  // namespace tools::pixel_art
