// A vertical scroll bar that the list view and the tree view draw in their client areas:
// an arrow button at each end and a thumb in the track between them whose length shows
// the share of rows in view. It computes its parts from the rectangle, the row count, the
// rows per page and the top index each time it is asked, so it keeps no state of its own.
#pragma once

#include <windows.h>

namespace platform::controls {

enum class ScrollBarPart { None, LineUp, LineDown, PageUp, PageDown, Thumb };

class VerticalScrollBar {
  public:
    VerticalScrollBar(const RECT& rect, int total, int page, int position);

    RECT UpArrowRect() const;
    RECT DownArrowRect() const;
    RECT ThumbRect() const;
    ScrollBarPart PartAt(POINT point) const;
    // The position whose thumb starts at `thumb_top`, clamped to the range.
    int PositionForThumbTop(int thumb_top) const;
    void Paint(HDC dc, ScrollBarPart pressed) const;

  private:
    int ArrowHeight() const;
    int TrackTop() const { return rect_.top + ArrowHeight(); }
    int TrackLength() const;
    int ThumbLength() const;
    int MaxPosition() const;

    RECT rect_{};
    int total_ = 0;
    int page_ = 0;
    int position_ = 0;
};

}  // namespace platform::controls
