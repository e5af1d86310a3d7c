// PNG files of 0x00RRGGBB frames, through libpng: screenshots, and reading them back
// for comparisons.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::display {

struct PngImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// False (with nothing left behind) when the file cannot be written.
bool WritePng(const std::string& path, std::span<const std::uint32_t> pixels, int width,
              int height);
// Nothing when the file is missing or is not a PNG libpng can read.
std::optional<PngImage> ReadPng(const std::string& path);

}  // namespace platform::display
