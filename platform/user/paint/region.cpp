#include "user/paint/region.h"

#include <algorithm>

namespace platform::user {

bool IsEmptyRect(const RECT& rect) {
    return rect.left >= rect.right || rect.top >= rect.bottom;
}

RECT IntersectionOf(const RECT& a, const RECT& b) {
    RECT result{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
    return IsEmptyRect(result) ? RECT{} : result;
}

namespace {

// The parts of `from` outside `hole`: at most four bands, top, bottom, left, right.
void AppendDifference(const RECT& from, const RECT& hole, std::vector<RECT>& out) {
    const RECT cut = IntersectionOf(from, hole);
    if (IsEmptyRect(cut)) {
        out.push_back(from);
        return;
    }
    if (from.top < cut.top) {
        out.push_back({from.left, from.top, from.right, cut.top});
    }
    if (cut.bottom < from.bottom) {
        out.push_back({from.left, cut.bottom, from.right, from.bottom});
    }
    if (from.left < cut.left) {
        out.push_back({from.left, cut.top, cut.left, cut.bottom});
    }
    if (cut.right < from.right) {
        out.push_back({cut.right, cut.top, from.right, cut.bottom});
    }
}

}  // namespace

RECT Region::Bounds() const {
    if (rects_.empty()) {
        return RECT{};
    }
    RECT bounds = rects_.front();
    for (const RECT& rect : rects_) {
        bounds.left = std::min(bounds.left, rect.left);
        bounds.top = std::min(bounds.top, rect.top);
        bounds.right = std::max(bounds.right, rect.right);
        bounds.bottom = std::max(bounds.bottom, rect.bottom);
    }
    return bounds;
}

void Region::Add(const RECT& rect) {
    if (IsEmptyRect(rect)) {
        return;
    }
    // Keep the pieces disjoint: add only what no existing piece covers yet.
    std::vector<RECT> pieces{rect};
    for (const RECT& existing : rects_) {
        std::vector<RECT> remaining;
        for (const RECT& piece : pieces) {
            AppendDifference(piece, existing, remaining);
        }
        pieces = std::move(remaining);
        if (pieces.empty()) {
            return;
        }
    }
    rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void Region::Add(const Region& other) {
    for (const RECT& rect : other.rects_) {
        Add(rect);
    }
}

void Region::Subtract(const RECT& rect) {
    if (IsEmptyRect(rect)) {
        return;
    }
    std::vector<RECT> remaining;
    for (const RECT& piece : rects_) {
        AppendDifference(piece, rect, remaining);
    }
    rects_ = std::move(remaining);
}

void Region::IntersectWith(const RECT& rect) {
    std::vector<RECT> kept;
    for (const RECT& piece : rects_) {
        const RECT cut = IntersectionOf(piece, rect);
        if (!IsEmptyRect(cut)) {
            kept.push_back(cut);
        }
    }
    rects_ = std::move(kept);
}

void Region::IntersectWith(const Region& other) {
    std::vector<RECT> kept;
    for (const RECT& piece : rects_) {
        for (const RECT& rect : other.rects_) {
            const RECT cut = IntersectionOf(piece, rect);
            if (!IsEmptyRect(cut)) {
                kept.push_back(cut);
            }
        }
    }
    rects_ = std::move(kept);
}

void Region::Offset(int dx, int dy) {
    for (RECT& rect : rects_) {
        rect.left += dx;
        rect.right += dx;
        rect.top += dy;
        rect.bottom += dy;
    }
}

}  // namespace platform::user
