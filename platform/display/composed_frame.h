// What the user sees: the screen's pixels with the busy indicator over them.
#pragma once

#include "display/framebuffer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform::display {

std::vector<std::uint32_t> ComposeFrame(Framebuffer& screen, int busy_phase);

// Writes the composed screen as a PNG; false when the file cannot be written.
bool SaveScreenshot(const std::string& path);

}  // namespace platform::display
