#include "display/web_frame_encoder.h"

#include <png.h>

#include <vector>

namespace platform::display {

namespace {

std::vector<unsigned char> EncodePng(std::span<const std::uint32_t> frame, int width,
                                     const RECT& area) {
    const int areaWidth = area.right - area.left;
    const int areaHeight = area.bottom - area.top;
    // The area's rows side by side, with alpha forced opaque: 0x00RRGGBB in memory on a
    // little-endian machine is B, G, R, 0.
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(areaWidth) * areaHeight);
    for (int y = area.top; y < area.bottom; ++y) {
        const auto row = frame.subspan(static_cast<std::size_t>(y) * width + area.left, areaWidth);
        for (const std::uint32_t pixel : row) {
            pixels.push_back(pixel | 0xFF000000);
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(areaWidth);
    image.height = static_cast<png_uint_32>(areaHeight);
    image.format = PNG_FORMAT_BGRA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr)) {
        return {};
    }
    std::vector<unsigned char> png(size);
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, pixels.data(), 0, nullptr)) {
        return {};
    }
    png.resize(size);
    return png;
}

}  // namespace

std::string Base64(std::span<const unsigned char> bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const unsigned group = bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2];
        for (int shift = 18; shift >= 0; shift -= 6) {
            text += kAlphabet[(group >> shift) & 0x3F];
        }
    }
    if (const std::size_t rest = bytes.size() - i; rest > 0) {
        const unsigned group = bytes[i] << 16 | (rest == 2 ? bytes[i + 1] << 8 : 0);
        text += kAlphabet[(group >> 18) & 0x3F];
        text += kAlphabet[(group >> 12) & 0x3F];
        text += rest == 2 ? kAlphabet[(group >> 6) & 0x3F] : '=';
        text += '=';
    }
    return text;
}

std::string EncodeFrameEvent(std::span<const std::uint32_t> frame, int width, const RECT& area) {
    const std::vector<unsigned char> png = EncodePng(frame, width, area);
    if (png.empty()) {
        return {};
    }
    return "event: frame\ndata: " + std::to_string(area.left) + " " + std::to_string(area.top) +
           " " + std::to_string(area.right - area.left) + " " +
           std::to_string(area.bottom - area.top) + " " + Base64(png) + "\n\n";
}

}  // namespace platform::display
