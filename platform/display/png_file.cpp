#include "display/png_file.h"

#include <png.h>

#include <cstdio>

namespace platform::display {

bool WritePng(const std::string& path, std::span<const std::uint32_t> pixels, int width,
              int height) {
    if (width <= 0 || height <= 0 ||
        pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return false;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_BGRA;
    // 0x00RRGGBB in memory on a little-endian machine is B, G, R, 0: force alpha opaque.
    std::vector<std::uint32_t> opaque(pixels.begin(), pixels.begin() + width * height);
    for (std::uint32_t& pixel : opaque) {
        pixel |= 0xFF000000;
    }
    const std::string temporary = path + ".part";
    if (!png_image_write_to_file(&image, temporary.c_str(), 0, opaque.data(), 0, nullptr)) {
        png_image_free(&image);
        std::remove(temporary.c_str());
        return false;
    }
    // Written beside the target and renamed, so a reader never sees half a file.
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

std::optional<PngImage> ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        return std::nullopt;
    }
    image.format = PNG_FORMAT_BGRA;
    PngImage result;
    result.width = static_cast<int>(image.width);
    result.height = static_cast<int>(image.height);
    result.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, result.pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    for (std::uint32_t& pixel : result.pixels) {
        pixel &= 0xFFFFFF;
    }
    return result;
}

}  // namespace platform::display
