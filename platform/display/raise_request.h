// Asking the display to bring its window in front of the desktop's other windows, as
// when another copy of the program hands the user over to this one. Any thread may ask;
// a display with a desktop window takes the request on its own thread, a headless one
// has nothing to raise and leaves it.
#pragma once

namespace platform::display {

void RequestRaise();
// True once for each run of requests since the last call.
bool TakeRaiseRequest();

}  // namespace platform::display
