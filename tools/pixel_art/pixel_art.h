// A picture drawn as text: one character per pixel, with a legend that gives each
// character its colour. Resource pictures are kept in this form so that a person can
// edit them in any text editor and review them in a diff.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tools::pixel_art {

// 0xRRGGBB, or none for a pixel that an icon leaves transparent.
using Colour = std::optional<std::uint32_t>;

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;  // row by row, top row first

    Colour At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// Reads a picture file:
//   # comment lines anywhere
//   palette
//   <char> <rrggbb>        (or "<char> transparent")
//   pixels
//   <one row of characters per line>
// Throws std::runtime_error naming the file and line on any fault: an unknown
// character, ragged rows, a bad colour, a missing section.
Picture ReadPicture(const std::filesystem::path& file);

// Pictures side by side, left to right; all must have the same height.
Picture JoinHorizontally(const std::vector<Picture>& pictures);

}  // namespace tools::pixel_art
