// The keyboard as the handheld sees it: SDL key codes to virtual-key codes, and which
// characters those keys already type (TranslateMessage makes them), so text input posts
// only the rest.
#pragma once

#include <windows.h>

#include <SDL.h>

namespace platform::display {

// 0 when the key has no virtual-key code here.
UINT VirtualKeyOf(SDL_Keycode key);

bool TypedByVirtualKey(char32_t character);

}  // namespace platform::display
