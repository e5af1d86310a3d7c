#include "controls/list_view/list_view_layout.h"

#include <algorithm>

namespace platform::controls {

void ListViewLayout::SetClientSize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    top_index_ = std::min(top_index_, MaxTopIndex());
}

void ListViewLayout::SetRowCount(int count) {
    row_count_ = count;
    top_index_ = std::min(top_index_, MaxTopIndex());
}

int ListViewLayout::CountPerPage() const {
    return std::max(height_ - header_height_, 0) / row_height_;
}

int ListViewLayout::VisibleEnd() const {
    const int shown = (std::max(height_ - header_height_, 0) + row_height_ - 1) / row_height_;
    return std::min(row_count_, top_index_ + shown);
}

int ListViewLayout::MaxTopIndex() const {
    return std::max(row_count_ - CountPerPage(), 0);
}

bool ListViewLayout::ScrollTo(int top_index) {
    const int clamped = std::clamp(top_index, 0, MaxTopIndex());
    const bool changed = clamped != top_index_;
    top_index_ = clamped;
    return changed;
}

bool ListViewLayout::EnsureVisible(int index) {
    if (index < top_index_) {
        return ScrollTo(index);
    }
    const int per_page = std::max(CountPerPage(), 1);
    if (index >= top_index_ + per_page) {
        return ScrollTo(index - per_page + 1);
    }
    return false;
}

int ListViewLayout::ContentWidth() const {
    return ScrollBarShown() ? std::max(width_ - scroll_bar_width_, 0) : width_;
}

RECT ListViewLayout::HeaderRect() const {
    return RECT{0, 0, ContentWidth(), std::min(header_height_, height_)};
}

RECT ListViewLayout::RowsRect() const {
    return RECT{0, std::min(header_height_, height_), ContentWidth(), height_};
}

RECT ListViewLayout::RowRect(int index) const {
    const int top = header_height_ + (index - top_index_) * row_height_;
    return RECT{0, top, ContentWidth(), top + row_height_};
}

int ListViewLayout::RowAt(POINT point) const {
    if (point.x < 0 || point.x >= ContentWidth() || point.y < header_height_ ||
        point.y >= height_) {
        return -1;
    }
    const int index = top_index_ + (point.y - header_height_) / row_height_;
    return index < row_count_ ? index : -1;
}

RECT ListViewLayout::ScrollBarRect() const {
    if (!ScrollBarShown()) {
        return RECT{};
    }
    return RECT{ContentWidth(), 0, width_, height_};
}

}  // namespace platform::controls
