// Where a device context may draw: a union of rectangles in device pixels. The
// rectangles are kept disjoint, so an operation that combines with what is already
// there (an XOR blit) touches each pixel once.
#pragma once

#include <windows.h>

#include <span>
#include <vector>

namespace platform::gdi {

class ClipRegion {
  public:
    ClipRegion() = default;
    explicit ClipRegion(const RECT& rect);

    void Add(const RECT& rect);
    ClipRegion Intersected(const RECT& rect) const;
    bool Contains(LONG x, LONG y) const;
    bool IsEmpty() const { return rects_.empty(); }
    std::span<const RECT> Rects() const { return rects_; }

  private:
    std::vector<RECT> rects_;
};

}  // namespace platform::gdi
