// Activation: the one active top-level window, which is also the foreground window (the
// handheld shows one program at a time).
#pragma once

#include <windows.h>

namespace platform::user {

// Called when `leaving` stops being able to be active (hidden, minimised, destroyed):
// activates its owner when it can be, else the topmost other shown, enabled top-level
// window, else nothing. Call without the lock.
void ActivateAnotherWindow(HWND leaving);

}  // namespace platform::user
