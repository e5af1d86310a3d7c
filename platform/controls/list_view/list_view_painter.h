// Draws a report view in the Pocket PC look: a raised header of column headings, the
// rows on the window colour with the first column's small image, the selected row's
// label highlighted (in the face colour while the list lacks the focus, if it shows its
// selection always), and the scroll bar. Only the rows that show are drawn, so a list
// of ten thousand rows paints as fast as one of ten.
#pragma once

#include <commctrl.h>
#include <windows.h>

#include <string_view>
#include <vector>

#include "controls/list_view/list_view_column.h"
#include "controls/list_view/list_view_layout.h"
#include "controls/list_view/list_view_rows.h"
#include "controls/vertical_scroll_bar.h"

namespace platform::controls {

struct ListViewPaintState {
    const ListViewRows& rows;
    const std::vector<ListViewColumn>& columns;
    const ListViewLayout& layout;
    const VerticalScrollBar& scroll_bar;
    ScrollBarPart pressed_part = ScrollBarPart::None;
    HIMAGELIST small_images = nullptr;
    HFONT font = nullptr;
    DWORD style = 0;
    bool focused = false;
};

class ListViewPainter {
  public:
    explicit ListViewPainter(const ListViewPaintState& state) : state_(state) {}

    // Paints what lies in `area` (client coordinates).
    void Paint(HDC dc, const RECT& area) const;

  private:
    void PaintHeader(HDC dc) const;
    void PaintRow(HDC dc, int index, int image_width, int image_height) const;
    void PaintCellText(HDC dc, std::u16string_view text, RECT cell, int format,
                       COLORREF color) const;

    const ListViewPaintState& state_;
};

}  // namespace platform::controls
