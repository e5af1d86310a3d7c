#include "display/composed_frame.h"

#include "display/busy_indicator.h"
#include "display/png_file.h"

namespace platform::display {

std::vector<std::uint32_t> ComposeFrame(Framebuffer& screen, int busy_phase) {
    std::vector<std::uint32_t> frame;
    {
        auto lock = screen.Lock();
        frame = screen.Snapshot();
    }
    if (IsBusy()) {
        ComposeBusyIndicator(frame, screen.Width(), screen.Height(), busy_phase);
    }
    return frame;
}

bool SaveScreenshot(const std::string& path) {
    Framebuffer& screen = Screen();
    return WritePng(path, ComposeFrame(screen, 0), screen.Width(), screen.Height());
}

}  // namespace platform::display
