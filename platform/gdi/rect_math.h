// Small rectangle operations on RECT, with Win32's meaning: right and bottom are
// exclusive, and a rectangle with no area is empty.
#pragma once

#include <windows.h>

#include <algorithm>

namespace platform::gdi {

inline bool IsEmptyRect(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

inline RECT IntersectRects(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

inline RECT UnionRects(const RECT& a, const RECT& b) {
    if (IsEmptyRect(a)) {
        return b;
    }
    if (IsEmptyRect(b)) {
        return a;
    }
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

inline RECT OffsetRectBy(const RECT& r, LONG dx, LONG dy) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

inline bool RectContains(const RECT& r, LONG x, LONG y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace platform::gdi
