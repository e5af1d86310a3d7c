#include "gdi/clip_region.h"

#include "gdi/rect_math.h"

namespace platform::gdi {

namespace {

// The parts of `rect` outside `hole`: at most four bands (above, below, left, right).
void AppendDifference(const RECT& rect, const RECT& hole, std::vector<RECT>& out) {
    const RECT overlap = IntersectRects(rect, hole);
    if (IsEmptyRect(overlap)) {
        out.push_back(rect);
        return;
    }
    const RECT pieces[] = {
        {rect.left, rect.top, rect.right, overlap.top},
        {rect.left, overlap.bottom, rect.right, rect.bottom},
        {rect.left, overlap.top, overlap.left, overlap.bottom},
        {overlap.right, overlap.top, rect.right, overlap.bottom},
    };
    for (const RECT& piece : pieces) {
        if (!IsEmptyRect(piece)) {
            out.push_back(piece);
        }
    }
}

}  // namespace

ClipRegion::ClipRegion(const RECT& rect) {
    Add(rect);
}

void ClipRegion::Add(const RECT& rect) {
    std::vector<RECT> fresh;
    if (!IsEmptyRect(rect)) {
        fresh.push_back(rect);
    }
    for (const RECT& existing : rects_) {
        std::vector<RECT> remaining;
        for (const RECT& piece : fresh) {
            AppendDifference(piece, existing, remaining);
        }
        fresh = std::move(remaining);
    }
    rects_.insert(rects_.end(), fresh.begin(), fresh.end());
}

ClipRegion ClipRegion::Intersected(const RECT& rect) const {
    ClipRegion result;
    for (const RECT& existing : rects_) {
        const RECT overlap = IntersectRects(existing, rect);
        if (!IsEmptyRect(overlap)) {
            result.rects_.push_back(overlap);
        }
    }
    return result;
}

bool ClipRegion::Contains(LONG x, LONG y) const {
    for (const RECT& r : rects_) {
        if (RectContains(r, x, y)) {
            return true;
        }
    }
    return false;
}

}  // namespace platform::gdi
