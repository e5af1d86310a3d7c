#include "shell/soft_keyboard_layout.h"

#include <array>
#include <string_view>

namespace platform::shell {

namespace {

constexpr int kColumns = 12;

// Character keys from a row's text and its shifted text, starting at column 0.
constexpr std::size_t kKeyCount = 44;

constexpr void AddCharacterRow(std::array<SoftKey, kKeyCount>& keys, std::size_t& count, int row,
                               std::u16string_view normal, std::u16string_view shifted) {
    for (std::size_t column = 0; column < normal.size(); ++column) {
        keys[count++] = SoftKey{KeyAction::Character,     normal[column],
                                shifted[column],          row,
                                static_cast<int>(column), 1};
    }
}

struct Layout {
    std::array<SoftKey, kKeyCount> keys{};
    std::size_t count = 0;
};

constexpr Layout MakeLayout() {
    Layout layout;
    auto& keys = layout.keys;
    auto& count = layout.count;
    AddCharacterRow(keys, count, 0, u"1234567890-", u"!@#$%^&*()_");
    keys[count++] = SoftKey{KeyAction::Backspace, 0, 0, 0, 11, 1};
    AddCharacterRow(keys, count, 1, u"qwertyuiop./", u"QWERTYUIOP,?");
    AddCharacterRow(keys, count, 2, u"asdfghjkl:", u"ASDFGHJKL;");
    keys[count++] = SoftKey{KeyAction::Enter, 0, 0, 2, 10, 2};
    keys[count++] = SoftKey{KeyAction::Shift, 0, 0, 3, 0, 2};
    for (int column = 0; column < 7; ++column) {
        const char16_t letter = u"zxcvbnm"[column];
        keys[count++] =
            SoftKey{KeyAction::Character, letter, static_cast<char16_t>(letter - u'a' + u'A'), 3,
                    column + 2,           1};
    }
    keys[count++] = SoftKey{KeyAction::Space, u' ', u' ', 3, 9, 3};
    return layout;
}

constexpr Layout kLayout = MakeLayout();
static_assert(kLayout.count == kKeyCount, "every key of the four rows is laid out");

}  // namespace

std::span<const SoftKey> SoftKeyboardLayout::Keys() {
    return std::span(kLayout.keys.data(), kLayout.count);
}

const SoftKey* SoftKeyboardLayout::KeyAt(POINT point) {
    if (point.x < 0 || point.y < 0 || point.x >= kColumns * kKeySize) {
        return nullptr;
    }
    const int row = point.y / kKeySize;
    const int column = point.x / kKeySize;
    for (const SoftKey& key : Keys()) {
        if (key.row == row && column >= key.column && column < key.column + key.span) {
            return &key;
        }
    }
    return nullptr;
}

RECT SoftKeyboardLayout::KeyRect(const SoftKey& key) {
    return RECT{key.column * kKeySize, key.row * kKeySize, (key.column + key.span) * kKeySize,
                (key.row + 1) * kKeySize};
}

std::u16string SoftKeyboardLayout::Label(const SoftKey& key, bool shifted) {
    switch (key.action) {
        case KeyAction::Character:
            return std::u16string(1, shifted ? key.shifted : key.normal);
        case KeyAction::Backspace:
            return u"Bk";
        case KeyAction::Enter:
            return u"Enter";
        case KeyAction::Shift:
            return u"Shift";
        case KeyAction::Space:
            return u"";
    }
    return u"";
}

}  // namespace platform::shell
