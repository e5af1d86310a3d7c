#include "controls/vertical_scroll_bar.h"

#include <algorithm>
#include <tuple>

#include "gdi/pocket_pc_painter.h"

namespace platform::controls {
namespace {

// Short enough to stay a handle with thousands of rows, long enough to hit with a stylus.
constexpr int kMinThumbLength = 8;

using gdi::PocketPcPainter;

// A solid triangle pointing up or down, centred in `rect`, in rows of one pixel.
void DrawArrow(HDC dc, const RECT& rect, bool up, COLORREF color) {
    const int half =
        std::max<int>((std::min(rect.right - rect.left, rect.bottom - rect.top)) / 4, 1);
    const int center_x = (rect.left + rect.right) / 2;
    const int top = (rect.top + rect.bottom) / 2 - half / 2;
    for (int row = 0; row < half; ++row) {
        const int reach = up ? row : half - 1 - row;
        PocketPcPainter::FillSolid(
            dc, RECT{center_x - reach, top + row, center_x + reach + 1, top + row + 1}, color);
    }
}

}  // namespace

VerticalScrollBar::VerticalScrollBar(const RECT& rect, int total, int page, int position)
    : rect_(rect), total_(total), page_(page), position_(position) {}

int VerticalScrollBar::ArrowHeight() const {
    const int width = rect_.right - rect_.left;
    return std::min(width, (rect_.bottom - rect_.top) / 3);
}

int VerticalScrollBar::TrackLength() const {
    return std::max<int>(rect_.bottom - rect_.top - 2 * ArrowHeight(), 0);
}

int VerticalScrollBar::MaxPosition() const {
    return std::max(total_ - page_, 0);
}

int VerticalScrollBar::ThumbLength() const {
    const int track = TrackLength();
    if (total_ <= 0) {
        return track;
    }
    const long long share = static_cast<long long>(track) * page_ / total_;
    return std::clamp<int>(static_cast<int>(share), std::min(kMinThumbLength, track), track);
}

RECT VerticalScrollBar::UpArrowRect() const {
    return RECT{rect_.left, rect_.top, rect_.right, rect_.top + ArrowHeight()};
}

RECT VerticalScrollBar::DownArrowRect() const {
    return RECT{rect_.left, rect_.bottom - ArrowHeight(), rect_.right, rect_.bottom};
}

RECT VerticalScrollBar::ThumbRect() const {
    const int free = TrackLength() - ThumbLength();
    const int max = MaxPosition();
    const int offset =
        max > 0 ? static_cast<int>(static_cast<long long>(free) * position_ / max) : 0;
    const int top = TrackTop() + offset;
    return RECT{rect_.left, top, rect_.right, top + ThumbLength()};
}

ScrollBarPart VerticalScrollBar::PartAt(POINT point) const {
    if (!PtInRect(&rect_, point)) {
        return ScrollBarPart::None;
    }
    const RECT up = UpArrowRect();
    const RECT down = DownArrowRect();
    const RECT thumb = ThumbRect();
    if (PtInRect(&up, point)) {
        return ScrollBarPart::LineUp;
    }
    if (PtInRect(&down, point)) {
        return ScrollBarPart::LineDown;
    }
    if (point.y < thumb.top) {
        return ScrollBarPart::PageUp;
    }
    return point.y >= thumb.bottom ? ScrollBarPart::PageDown : ScrollBarPart::Thumb;
}

int VerticalScrollBar::PositionForThumbTop(int thumb_top) const {
    const int free = TrackLength() - ThumbLength();
    if (free <= 0) {
        return 0;
    }
    const int offset = std::clamp(thumb_top - TrackTop(), 0, free);
    // Rounded to the nearest position, so the thumb follows the stylus evenly.
    return static_cast<int>((static_cast<long long>(offset) * MaxPosition() + free / 2) / free);
}

void VerticalScrollBar::Paint(HDC dc, ScrollBarPart pressed) const {
    PocketPcPainter::FillSolid(dc, rect_, GetSysColor(COLOR_3DLIGHT));
    const RECT up = UpArrowRect();
    const RECT down = DownArrowRect();
    for (const auto& [button, part, is_up] : {std::tuple{up, ScrollBarPart::LineUp, true},
                                              std::tuple{down, ScrollBarPart::LineDown, false}}) {
        const bool down_now = pressed == part;
        PocketPcPainter::DrawPushButton(dc, button, down_now);
        DrawArrow(dc, button, is_up, GetSysColor(down_now ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    }
    if (TrackLength() > 0) {
        PocketPcPainter::DrawPushButton(dc, ThumbRect(), pressed == ScrollBarPart::Thumb);
    }
}

}  // namespace platform::controls
