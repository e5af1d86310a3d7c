#include "dib_files.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace tools::pixel_art {
namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kIconDirSize = 6;
constexpr std::uint32_t kIconEntrySize = 16;

void PutWord(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutDword(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutWord(out, value & 0xFFFF);
    PutWord(out, value >> 16);
}

// Rows of a DIB are padded to whole 32-bit words.
std::uint32_t RowBytes(int width, int bits) {
    return ((static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bits) + 31) / 32) * 4;
}

// The picture's colours in order of first appearance. A transparent pixel uses entry
// 0, which is then black: an icon's colour pixels are XORed onto what its mask keeps,
// and only black leaves that unchanged.
std::vector<std::uint32_t> PaletteOf(const Picture& picture, int bits) {
    std::vector<std::uint32_t> palette;
    if (std::find(picture.pixels.begin(), picture.pixels.end(), std::nullopt) !=
        picture.pixels.end()) {
        palette.push_back(0x000000);
    }
    for (const Colour& colour : picture.pixels) {
        if (colour && std::find(palette.begin(), palette.end(), *colour) == palette.end()) {
            palette.push_back(*colour);
        }
    }
    const std::size_t capacity = std::size_t{1} << bits;
    if (palette.size() > capacity) {
        throw std::runtime_error("picture has " + std::to_string(palette.size()) + " colours; " +
                                 std::to_string(bits) + " bits hold " + std::to_string(capacity));
    }
    palette.resize(capacity, 0);
    return palette;
}

std::uint32_t IndexOf(const std::vector<std::uint32_t>& palette, const Colour& colour) {
    if (!colour) {
        return 0;
    }
    return static_cast<std::uint32_t>(std::find(palette.begin(), palette.end(), *colour) -
                                      palette.begin());
}

// BITMAPINFOHEADER, the palette and the colour pixels; an icon image doubles the
// height to count its mask.
void PutDib(std::vector<std::uint8_t>& out, const Picture& picture, int bits, bool withMask) {
    const std::vector<std::uint32_t> palette = PaletteOf(picture, bits);
    const std::uint32_t colourBytes =
        RowBytes(picture.width, bits) * static_cast<std::uint32_t>(picture.height);
    const std::uint32_t maskBytes =
        withMask ? RowBytes(picture.width, 1) * static_cast<std::uint32_t>(picture.height) : 0;
    PutDword(out, kInfoHeaderSize);
    PutDword(out, static_cast<std::uint32_t>(picture.width));
    PutDword(out, static_cast<std::uint32_t>(picture.height * (withMask ? 2 : 1)));
    PutWord(out, 1);  // planes
    PutWord(out, static_cast<std::uint32_t>(bits));
    PutDword(out, 0);  // BI_RGB
    PutDword(out, colourBytes + maskBytes);
    PutDword(out, 0);
    PutDword(out, 0);
    PutDword(out, static_cast<std::uint32_t>(palette.size()));
    PutDword(out, 0);
    for (const std::uint32_t rgb : palette) {
        out.push_back(static_cast<std::uint8_t>(rgb));        // blue
        out.push_back(static_cast<std::uint8_t>(rgb >> 8));   // green
        out.push_back(static_cast<std::uint8_t>(rgb >> 16));  // red
        out.push_back(0);
    }
    const auto putRows = [&](int rowBits, auto valueAt) {
        for (int y = picture.height - 1; y >= 0; --y) {
            std::vector<std::uint8_t> row(RowBytes(picture.width, rowBits), 0);
            for (int x = 0; x < picture.width; ++x) {
                const int bit = x * rowBits;
                const int shift = 8 - rowBits - bit % 8;
                row[static_cast<std::size_t>(bit / 8)] |=
                    static_cast<std::uint8_t>(valueAt(x, y) << shift);
            }
            out.insert(out.end(), row.begin(), row.end());
        }
    };
    putRows(bits, [&](int x, int y) { return IndexOf(palette, picture.At(x, y)); });
    if (withMask) {
        putRows(1, [&](int x, int y) { return picture.At(x, y) ? 0u : 1u; });
    }
}

}  // namespace

std::vector<std::uint8_t> BitmapFile(const Picture& picture, int bits) {
    if (bits != 1 && bits != 4 && bits != 8) {
        throw std::runtime_error("a bitmap has 1, 4 or 8 bits per pixel");
    }
    if (std::find(picture.pixels.begin(), picture.pixels.end(), std::nullopt) !=
        picture.pixels.end()) {
        throw std::runtime_error("a bitmap has no transparent pixels");
    }
    std::vector<std::uint8_t> dib;
    PutDib(dib, picture, bits, false);
    const std::uint32_t paletteBytes = 4u << bits;
    std::vector<std::uint8_t> out{'B', 'M'};
    PutDword(out, kFileHeaderSize + static_cast<std::uint32_t>(dib.size()));
    PutDword(out, 0);
    PutDword(out, kFileHeaderSize + kInfoHeaderSize + paletteBytes);
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

std::vector<std::uint8_t> IconFile(const std::vector<Picture>& pictures) {
    constexpr int kBits = 8;
    std::vector<std::vector<std::uint8_t>> images;
    for (const Picture& picture : pictures) {
        if (picture.width > 256 || picture.height > 256) {
            throw std::runtime_error("an icon image is at most 256 pixels square");
        }
        PutDib(images.emplace_back(), picture, kBits, true);
    }
    std::vector<std::uint8_t> out;
    PutWord(out, 0);
    PutWord(out, 1);  // icon
    PutWord(out, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset =
        kIconDirSize + kIconEntrySize * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(pictures[i].width));  // 256 is stored as 0
        out.push_back(static_cast<std::uint8_t>(pictures[i].height));
        out.push_back(0);  // 256 colours
        out.push_back(0);
        PutWord(out, 1);
        PutWord(out, kBits);
        PutDword(out, static_cast<std::uint32_t>(images[i].size()));
        PutDword(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images) {
        out.insert(out.end(), image.begin(), image.end());
    }
    return out;
}

}  // namespace tools::pixel_art
