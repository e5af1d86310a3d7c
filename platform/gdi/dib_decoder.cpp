#include "gdi/dib_decoder.h"

#include <wingdi.h>

#include <array>
#include <cstdlib>
#include <cstring>

namespace platform::gdi {

namespace {

constexpr int kMaxSide = 4096;

struct DibLayout {
    int width = 0;
    int height = 0;  // rows of colour data
    bool top_down = false;
    int bit_count = 0;
    std::size_t palette_offset = 0;
    std::size_t palette_entries = 0;
    std::size_t bits_offset = 0;
};

std::size_t Stride(int width, int bit_count) {
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bit_count) + 31) / 32) * 4;
}

// `rows_in_header` is how many rows the header's height covers for each colour row
// (2 for icons, whose height includes the mask).
std::optional<DibLayout> ReadLayout(std::span<const std::uint8_t> bytes, int rows_in_header) {
    BITMAPINFOHEADER header{};
    if (bytes.size() < sizeof(header)) {
        return std::nullopt;
    }
    std::memcpy(&header, bytes.data(), sizeof(header));
    if (header.biSize < sizeof(header) || header.biSize > bytes.size() || header.biPlanes != 1 ||
        header.biCompression != BI_RGB || header.biWidth <= 0 || header.biWidth > kMaxSide ||
        header.biHeight == 0 || std::abs(header.biHeight) > kMaxSide * rows_in_header) {
        return std::nullopt;
    }
    DibLayout layout;
    layout.width = header.biWidth;
    layout.height = std::abs(header.biHeight) / rows_in_header;
    layout.top_down = header.biHeight < 0;
    layout.bit_count = header.biBitCount;
    switch (layout.bit_count) {
        case 1:
        case 4:
        case 8:
            layout.palette_entries =
                header.biClrUsed ? header.biClrUsed : std::size_t{1} << layout.bit_count;
            if (layout.palette_entries > (std::size_t{1} << layout.bit_count)) {
                return std::nullopt;
            }
            break;
        case 24:
        case 32:
            break;
        default:
            return std::nullopt;
    }
    layout.palette_offset = header.biSize;
    layout.bits_offset = layout.palette_offset + layout.palette_entries * sizeof(RGBQUAD);
    if (layout.height <= 0 ||
        layout.bits_offset + Stride(layout.width, layout.bit_count) * layout.height >
            bytes.size()) {
        return std::nullopt;
    }
    return layout;
}

// A layout with no colour table is an icon's mask: its one bits are white.
std::uint32_t PaletteColor(std::span<const std::uint8_t> bytes, const DibLayout& layout,
                           std::size_t index) {
    if (layout.palette_entries == 0) {
        return index ? 0xFFFFFF : 0;
    }
    if (index >= layout.palette_entries) {
        return 0;
    }
    const std::uint8_t* entry = bytes.data() + layout.palette_offset + index * sizeof(RGBQUAD);
    return (std::uint32_t{entry[2]} << 16) | (std::uint32_t{entry[1]} << 8) | entry[0];
}

std::uint32_t PixelAt(std::span<const std::uint8_t> bytes, const DibLayout& layout,
                      const std::uint8_t* row, int x) {
    switch (layout.bit_count) {
        case 1:
            return PaletteColor(bytes, layout, (row[x >> 3] >> (7 - (x & 7))) & 1);
        case 4:
            return PaletteColor(bytes, layout, (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF);
        case 8:
            return PaletteColor(bytes, layout, row[x]);
        default: {
            const std::uint8_t* pixel = row + static_cast<std::size_t>(x) * (layout.bit_count / 8);
            return (std::uint32_t{pixel[2]} << 16) | (std::uint32_t{pixel[1]} << 8) | pixel[0];
        }
    }
}

Bitmap DecodeRows(std::span<const std::uint8_t> bytes, const DibLayout& layout) {
    Bitmap bitmap(layout.width, layout.height, layout.bit_count);
    const std::size_t stride = Stride(layout.width, layout.bit_count);
    for (int y = 0; y < layout.height; ++y) {
        const int source_row = layout.top_down ? y : layout.height - 1 - y;
        const std::uint8_t* row = bytes.data() + layout.bits_offset + stride * source_row;
        for (int x = 0; x < layout.width; ++x) {
            bitmap.Pixels()[static_cast<std::size_t>(y) * layout.width + x] =
                PixelAt(bytes, layout, row, x);
        }
    }
    return bitmap;
}

}  // namespace

std::optional<Bitmap> DecodeDib(std::span<const std::uint8_t> bytes) {
    const std::optional<DibLayout> layout = ReadLayout(bytes, 1);
    if (!layout) {
        return std::nullopt;
    }
    return DecodeRows(bytes, *layout);
}

std::optional<Icon> DecodeIconImage(std::span<const std::uint8_t> bytes) {
    const std::optional<DibLayout> color_layout = ReadLayout(bytes, 2);
    if (!color_layout) {
        return std::nullopt;
    }
    // The mask is a 1-bit image of the same size, black and white, after the colour rows.
    DibLayout mask_layout = *color_layout;
    mask_layout.bit_count = 1;
    mask_layout.bits_offset =
        color_layout->bits_offset + Stride(color_layout->width, color_layout->bit_count) *
                                        static_cast<std::size_t>(color_layout->height);
    mask_layout.palette_entries = 0;
    if (mask_layout.bits_offset + Stride(mask_layout.width, 1) * mask_layout.height >
        bytes.size()) {
        return std::nullopt;
    }
    return Icon{DecodeRows(bytes, *color_layout), DecodeRows(bytes, mask_layout)};
}

}  // namespace platform::gdi
