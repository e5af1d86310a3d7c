// Decides what area of the screen the browser display sends next: what was drawn since
// the last frame, or the whole screen while the busy ring turns (every 100 ms) and when
// it appears or goes away, since its pixels are composed over the program's.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>

#include "display/framebuffer.h"

namespace platform::display {

class WebFramePacer {
  public:
    using Clock = std::chrono::steady_clock;

    // Takes the screen's changed area (under its lock); nothing when nothing needs sending.
    std::optional<RECT> NextArea(Framebuffer& screen, bool busy, Clock::time_point now);
    int BusyPhase() const { return busyPhase_; }

  private:
    bool wasBusy_ = false;
    int busyPhase_ = 0;
    Clock::time_point lastBusyStep_{};
};

}  // namespace platform::display
