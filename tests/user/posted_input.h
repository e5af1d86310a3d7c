// A person's taps and key presses, posted through the window manager's input sink so
// that they travel the same path as the device's; the caller pumps when it wants them
// handled (a menu's or a dialog's own loop may be the one to take them).
#pragma once

#include <windows.h>

#include "user/input_sink.h"

namespace tessalink::test {

inline void PostTap(POINT screen) {
    platform::user::PostStylus(platform::user::StylusAction::Down, screen.x, screen.y);
    platform::user::PostStylus(platform::user::StylusAction::Up, screen.x, screen.y);
}

// Taps the middle of item `index` of an open pop-up menu of `itemCount` equal rows.
inline void PostTapOnMenuItem(HWND menu, int index, int itemCount) {
    RECT client{};
    GetClientRect(menu, &client);
    const int height = client.bottom / itemCount;
    POINT at{client.right / 2, height * index + height / 2};
    ClientToScreen(menu, &at);
    PostTap(at);
}

inline void PostKeyPress(UINT key) {
    platform::user::PostKey(key, true);
    platform::user::PostKey(key, false);
}

}  // namespace tessalink::test
