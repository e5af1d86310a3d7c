#include "pixel_art.h"

#include <fstream>
#include <stdexcept>

namespace tools::pixel_art {
namespace {

enum class Section { kNone, kPalette, kPixels };

[[noreturn]] void Fail(const std::filesystem::path& file, int line, const std::string& what) {
    throw std::runtime_error(file.string() + ":" + std::to_string(line) + ": " + what);
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

Colour ParseColour(const std::filesystem::path& file, int line, const std::string& text) {
    if (text == "transparent") {
        return std::nullopt;
    }
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        Fail(file, line, "colour must be six hex digits or 'transparent', not '" + text + "'");
    }
    return static_cast<std::uint32_t>(std::stoul(text, nullptr, 16));
}

}  // namespace

Picture ReadPicture(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) {
        throw std::runtime_error(file.string() + ": cannot open");
    }
    std::map<char, Colour> palette;
    Picture picture;
    Section section = Section::kNone;
    std::string raw;
    for (int line = 1; std::getline(in, raw); ++line) {
        const std::string text = Trimmed(raw);
        if (text.empty() || text[0] == '#') {
            continue;
        }
        if (text == "palette" || text == "pixels") {
            section = text == "palette" ? Section::kPalette : Section::kPixels;
            continue;
        }
        switch (section) {
            case Section::kNone:
                Fail(file, line, "expected 'palette' or 'pixels'");
            case Section::kPalette:
                if (text.size() < 3 || text[1] != ' ') {
                    Fail(file, line, "a palette line is '<char> <rrggbb>'");
                }
                palette[text[0]] = ParseColour(file, line, Trimmed(text.substr(2)));
                break;
            case Section::kPixels:
                if (picture.width != 0 && static_cast<int>(text.size()) != picture.width) {
                    Fail(file, line,
                         "row is " + std::to_string(text.size()) + " pixels wide, the first was " +
                             std::to_string(picture.width));
                }
                picture.width = static_cast<int>(text.size());
                for (const char pixel : text) {
                    const auto found = palette.find(pixel);
                    if (found == palette.end()) {
                        Fail(file, line,
                             std::string("character '") + pixel + "' is not in the palette");
                    }
                    picture.pixels.push_back(found->second);
                }
                ++picture.height;
                break;
        }
    }
    if (picture.height == 0) {
        throw std::runtime_error(file.string() + ": no pixels");
    }
    return picture;
}

Picture JoinHorizontally(const std::vector<Picture>& pictures) {
    Picture joined;
    if (pictures.empty()) {
        return joined;
    }
    joined.height = pictures.front().height;
    for (const Picture& picture : pictures) {
        if (picture.height != joined.height) {
            throw std::runtime_error("pictures of a strip must have the same height");
        }
        joined.width += picture.width;
    }
    for (int y = 0; y < joined.height; ++y) {
        for (const Picture& picture : pictures) {
            for (int x = 0; x < picture.width; ++x) {
                joined.pixels.push_back(picture.At(x, y));
            }
        }
    }
    return joined;
}

}  // namespace tools::pixel_art
