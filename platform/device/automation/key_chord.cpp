#include "device/automation/key_chord.h"

#include <winuser.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <utility>

namespace platform::device::automation {
namespace {

struct NamedKey {
    std::string_view name;  // lower case
    UINT key;
};

constexpr std::array kModifiers{
    NamedKey{"ctrl", VK_CONTROL},
    NamedKey{"shift", VK_SHIFT},
    NamedKey{"alt", VK_MENU},
};

constexpr std::array kNamedKeys{
    NamedKey{"tab", VK_TAB},       NamedKey{"enter", VK_RETURN},   NamedKey{"escape", VK_ESCAPE},
    NamedKey{"space", VK_SPACE},   NamedKey{"backspace", VK_BACK}, NamedKey{"delete", VK_DELETE},
    NamedKey{"insert", VK_INSERT}, NamedKey{"home", VK_HOME},      NamedKey{"end", VK_END},
    NamedKey{"pageup", VK_PRIOR},  NamedKey{"pagedown", VK_NEXT},  NamedKey{"left", VK_LEFT},
    NamedKey{"right", VK_RIGHT},   NamedKey{"up", VK_UP},          NamedKey{"down", VK_DOWN},
};

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

template <std::size_t N>
std::optional<UINT> Lookup(const std::array<NamedKey, N>& table, const std::string& lower) {
    for (const auto& entry : table) {
        if (entry.name == lower) {
            return entry.key;
        }
    }
    return std::nullopt;
}

// Letters and digits are their own virtual keys; F1 to F12 follow VK_F1.
std::optional<UINT> KeyByName(const std::string& lower) {
    if (lower.size() == 1 && std::isalnum(static_cast<unsigned char>(lower[0]))) {
        return static_cast<UINT>(std::toupper(static_cast<unsigned char>(lower[0])));
    }
    if (lower.size() >= 2 && lower[0] == 'f') {
        int number = 0;
        const auto [end, failure] =
            std::from_chars(lower.data() + 1, lower.data() + lower.size(), number);
        if (failure == std::errc{} && end == lower.data() + lower.size() && number >= 1 &&
            number <= 12) {
            return static_cast<UINT>(VK_F1 + number - 1);
        }
    }
    return Lookup(kNamedKeys, lower);
}

}  // namespace

std::optional<KeyChord> ParseKeyChord(std::string_view text, std::string& error) {
    KeyChord chord;
    std::size_t start = 0;
    while (true) {
        const std::size_t plus = text.find('+', start);
        const std::string part = Lower(text.substr(start, plus - start));
        if (plus == std::string_view::npos) {
            const auto key = KeyByName(part);
            if (!key) {
                error = "no key is called '" + std::string(text.substr(start)) + "'";
                return std::nullopt;
            }
            chord.key = *key;
            return chord;
        }
        const auto modifier = Lookup(kModifiers, part);
        if (!modifier) {
            error = "'" + std::string(text.substr(start, plus - start)) +
                    "' is not a modifier (Ctrl, Shift, Alt)";
            return std::nullopt;
        }
        chord.modifiers.push_back(*modifier);
        start = plus + 1;
    }
}

}  // namespace platform::device::automation
