// Where a display delivers the user's input. Callable from any thread.
//
// The stylus is the left mouse button: Down, Move and Up become WM_LBUTTONDOWN,
// WM_MOUSEMOVE and WM_LBUTTONUP (client coordinates in lParam; MK_LBUTTON in wParam while
// the stylus touches) for the window holding the capture, else for the topmost shown,
// enabled window under the point; a tap on a disabled top-level window goes nowhere.
// Queued moves for the same window merge into the latest.
//
// Keys go to the focus window (or, with no focus, the active window) as WM_KEYDOWN and
// WM_KEYUP (WM_SYSKEYDOWN/UP while Alt is held); modifiers are keys too. TranslateMessage
// makes WM_CHAR from the key presses that type a character, so a display posts a key or,
// for a character no key types, the character alone with PostChar, never both.
#pragma once

#include <windows.h>

namespace platform::user {

enum class StylusAction { Down, Move, Up };

void PostStylus(StylusAction action, int x, int y);
void PostKey(UINT virtualKey, bool down);
void PostChar(char16_t character);

}  // namespace platform::user
