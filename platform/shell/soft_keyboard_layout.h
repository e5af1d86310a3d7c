// The input panel's keys: four rows of twelve 20 x 20 pixel cells (the panel's 240 x 80),
// some keys wider than one cell.
//
//   1 2 3 4 5 6 7 8 9 0 - Bk
//   q w e r t y u i o p . /
//   a s d f g h j k l : Enter..
//   Shift.. z x c v b n m Space....
#pragma once

#include <windows.h>

#include <span>
#include <string>

namespace platform::shell {

enum class KeyAction { Character, Backspace, Enter, Shift, Space };

struct SoftKey {
    KeyAction action = KeyAction::Character;
    // What a character key types, without and with shift.
    char16_t normal = 0;
    char16_t shifted = 0;
    int row = 0;
    int column = 0;
    int span = 1;
};

class SoftKeyboardLayout {
  public:
    static constexpr int kKeySize = 20;

    static std::span<const SoftKey> Keys();
    // The key under a point of the panel's client area, or null.
    static const SoftKey* KeyAt(POINT point);
    static RECT KeyRect(const SoftKey& key);
    static std::u16string Label(const SoftKey& key, bool shifted);
};

}  // namespace platform::shell
