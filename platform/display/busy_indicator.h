// The Pocket PC wait indicator: a ring of coloured segments that turns in the middle of
// the screen while the program is busy. Displays compose it over the screen when they
// present and when they take a screenshot, so it shows even while the program's thread
// is blocked and never touches the program's own pixels.
#pragma once

#include <cstdint>
#include <span>

namespace platform::display {

void SetBusy(bool busy);
bool IsBusy();

// Draws the indicator, turned to `phase` (any integer; it repeats), over a frame of
// `width` x `height` pixels.
void ComposeBusyIndicator(std::span<std::uint32_t> frame, int width, int height, int phase);

}  // namespace platform::display
