#include "display/web_frame_pacer.h"

namespace platform::display {

namespace {

constexpr auto kBusyStep = std::chrono::milliseconds(100);

}  // namespace

std::optional<RECT> WebFramePacer::NextArea(Framebuffer& screen, bool busy, Clock::time_point now) {
    std::optional<RECT> dirty;
    {
        auto lock = screen.Lock();
        dirty = screen.TakeDirty();
    }
    bool whole = busy != wasBusy_;
    wasBusy_ = busy;
    if (busy && now - lastBusyStep_ >= kBusyStep) {
        ++busyPhase_;
        lastBusyStep_ = now;
        whole = true;
    }
    if (whole) {
        return RECT{0, 0, screen.Width(), screen.Height()};
    }
    return dirty;
}

}  // namespace platform::display
