// The handheld's screen: 240 x 320 pixels of 0x00RRGGBB, one per process.
//
// Writers (the GDI) hold Lock() while they draw and report what they changed with
// MarkDirty(); displays take the changed area with TakeDirty() under the same lock and
// present it, so a frame never shows half of a drawing call.
#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace platform::display {

inline constexpr int kScreenWidth = 240;
inline constexpr int kScreenHeight = 320;

class Framebuffer {
  public:
    Framebuffer(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }

    [[nodiscard]] std::unique_lock<std::mutex> Lock() { return std::unique_lock(mutex_); }

    // The following need the lock.
    std::uint32_t* Pixels() { return pixels_.data(); }
    const std::uint32_t* Pixels() const { return pixels_.data(); }
    void MarkDirty(const RECT& changed);
    // The bounding box of everything changed since the previous call, if anything was.
    std::optional<RECT> TakeDirty();
    // A copy of the pixels, for composing a frame or a screenshot outside the lock.
    std::vector<std::uint32_t> Snapshot() const { return pixels_; }

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    std::mutex mutex_;
    std::optional<RECT> dirty_;
};

// The process-wide screen, created white on first use.
Framebuffer& Screen();

}  // namespace platform::display
