// Where things are in a report view: the header along the top, the rows below it from
// the top index on, and the vertical scroll bar at the right while the rows do not
// fit. Scrolling is by whole rows, so the top row is always fully shown.
#pragma once

#include <windows.h>

namespace platform::controls {

class ListViewLayout {
  public:
    void SetClientSize(int width, int height);
    void SetRowHeight(int height) { row_height_ = height > 0 ? height : 1; }
    void SetHeaderHeight(int height) { header_height_ = height; }
    void SetScrollBarWidth(int width) { scroll_bar_width_ = width; }
    // Keeps the top index in range for the new count.
    void SetRowCount(int count);

    int RowHeight() const { return row_height_; }
    int RowCount() const { return row_count_; }
    int TopIndex() const { return top_index_; }
    // The rows that fit whole between the header and the bottom edge.
    int CountPerPage() const;
    // One past the last row that shows, even in part.
    int VisibleEnd() const;
    // Both return whether the top index changed.
    bool ScrollTo(int top_index);
    bool EnsureVisible(int index);

    bool ScrollBarShown() const { return row_count_ > CountPerPage(); }
    // The width the columns can use: the client area less the scroll bar.
    int ContentWidth() const;
    RECT HeaderRect() const;
    RECT RowsRect() const;
    // The row's band across the columns' area; rows above the top index lie above it.
    RECT RowRect(int index) const;
    // The row under a client point, or -1.
    int RowAt(POINT point) const;
    RECT ScrollBarRect() const;

  private:
    int MaxTopIndex() const;

    int width_ = 0;
    int height_ = 0;
    int row_height_ = 1;
    int header_height_ = 0;
    int scroll_bar_width_ = 0;
    int row_count_ = 0;
    int top_index_ = 0;
};

}  // namespace platform::controls
