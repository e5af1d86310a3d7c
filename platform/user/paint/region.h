// A set of pixels kept as disjoint rectangles: what the window manager needs for
// update regions and visible regions, where shapes are unions and differences of a few
// window rectangles.
#pragma once

#include <windows.h>

#include <vector>

namespace platform::user {

class Region {
  public:
    Region() = default;
    explicit Region(const RECT& rect) { Add(rect); }

    bool IsEmpty() const { return rects_.empty(); }
    const std::vector<RECT>& Rects() const { return rects_; }
    // The smallest rectangle holding every pixel; empty (all zero) for an empty region.
    RECT Bounds() const;

    void Add(const RECT& rect);
    void Add(const Region& other);
    void Subtract(const RECT& rect);
    void IntersectWith(const RECT& rect);
    void IntersectWith(const Region& other);
    void Offset(int dx, int dy);
    void Clear() { rects_.clear(); }

  private:
    std::vector<RECT> rects_;
};

bool IsEmptyRect(const RECT& rect);
RECT IntersectionOf(const RECT& a, const RECT& b);

}  // namespace platform::user
