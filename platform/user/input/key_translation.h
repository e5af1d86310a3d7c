// Which character a key press types, as TranslateMessage makes WM_CHAR from WM_KEYDOWN,
// with a US keyboard layout: the handheld's hardware keys and the input panel's keys
// arrive as virtual keys, or as characters directly (PostChar) when no key fits.
#pragma once

#include <windows.h>

#include <array>

namespace platform::user {

// 0 when the key types nothing (arrows, function keys, modifiers).
char16_t CharacterOfKey(UINT virtualKey, const std::array<BYTE, 256>& keyState);

}  // namespace platform::user
