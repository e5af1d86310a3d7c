#include "display/busy_indicator.h"

#include <array>
#include <atomic>
#include <cmath>
#include <numbers>

namespace platform::display {

namespace {

std::atomic<bool> busyShown{false};

constexpr int kOuterRadius = 14;
constexpr int kInnerRadius = 6;
// The ring's colours, from the handheld's wait cursor: a rainbow that runs round.
constexpr std::array<std::uint32_t, 8> kSegmentColors = {
    0xE00000, 0xF08000, 0xF0E000, 0x00C000, 0x00C0E0, 0x0040F0, 0x6000C0, 0xC000A0,
};

}  // namespace

void SetBusy(bool value) {
    busyShown.store(value);
}

bool IsBusy() {
    return busyShown.load();
}

void ComposeBusyIndicator(std::span<std::uint32_t> frame, int width, int height, int phase) {
    const int centre_x = width / 2;
    const int centre_y = height / 2;
    const int segments = static_cast<int>(kSegmentColors.size());
    for (int dy = -kOuterRadius; dy <= kOuterRadius; ++dy) {
        for (int dx = -kOuterRadius; dx <= kOuterRadius; ++dx) {
            const int x = centre_x + dx;
            const int y = centre_y + dy;
            const int distance_squared = dx * dx + dy * dy;
            if (x < 0 || y < 0 || x >= width || y >= height ||
                distance_squared > kOuterRadius * kOuterRadius) {
                continue;
            }
            std::uint32_t& pixel = frame[static_cast<std::size_t>(y) * width + x];
            if (distance_squared < kInnerRadius * kInnerRadius) {
                continue;  // the hole shows the screen beneath
            }
            // A one-pixel dark rim keeps the ring readable on any background.
            if (distance_squared > (kOuterRadius - 1) * (kOuterRadius - 1) ||
                distance_squared < (kInnerRadius + 1) * (kInnerRadius + 1)) {
                pixel = 0x404040;
                continue;
            }
            const double turn = (std::atan2(dy, dx) + std::numbers::pi) / (2 * std::numbers::pi);
            const int segment = static_cast<int>(turn * segments) % segments;
            const int index = ((segment + phase) % segments + segments) % segments;
            pixel = kSegmentColors[static_cast<std::size_t>(index)];
        }
    }
}

}  // namespace platform::display
