// A person's taps and key presses, posted through the window manager's input sink so
// that they travel the same path as the device's; the caller pumps when it wants them
// handled (a menu's or a dialog's own loop may be the one to take them).
#pragma once

#include <windows.h>

#include "user/input/input_sink.h"

namespace tessalink::test {

inline void PostTap(POINT screen) {
    platform::user::PostStylus(platform::user::StylusAction::Down, screen.x, screen.y);
    platform::user::PostStylus(platform::user::StylusAction::Up, screen.x, screen.y);
}

// Taps the middle of row `index` of a window drawn as `count` equal rows (an open
// pop-up menu, a dropped combo list), a third of the way across: left of any scroll bar.
inline void PostTapOnRow(HWND window, int index, int count) {
    RECT client{};
    GetClientRect(window, &client);
    const int height = client.bottom / count;
    POINT at{client.right / 3, height * index + height / 2};
    ClientToScreen(window, &at);
    PostTap(at);
}

inline void PostKeyPress(UINT key) {
    platform::user::PostKey(key, true);
    platform::user::PostKey(key, false);
}

}  // namespace tessalink::test
