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

inline void PostKeyPress(UINT key) {
    platform::user::PostKey(key, true);
    platform::user::PostKey(key, false);
}

}  // namespace tessalink::test
