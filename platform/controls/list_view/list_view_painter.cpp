#include "controls/list_view/list_view_painter.h"

#include <algorithm>

#include "controls/list_view/list_view_metrics.h"
#include "controls/text_measure.h"
#include "gdi/pocket_pc_painter.h"

namespace platform::controls {
namespace {

using gdi::EdgeStyle;
using gdi::PocketPcPainter;

UINT AlignmentOf(int format) {
    switch (format & LVCFMT_JUSTIFYMASK) {
        case LVCFMT_RIGHT:
            return DT_RIGHT;
        case LVCFMT_CENTER:
            return DT_CENTER;
        default:
            return DT_LEFT;
    }
}

bool Intersects(const RECT& a, const RECT& b) {
    RECT common{};
    return IntersectRect(&common, &a, &b);
}

}  // namespace

void ListViewPainter::Paint(HDC dc, const RECT& area) const {
    const HGDIOBJ previous_font = SelectObject(dc, state_.font);
    const int previous_mode = SetBkMode(dc, TRANSPARENT);
    const ListViewLayout& layout = state_.layout;
    if (!(state_.style & LVS_NOCOLUMNHEADER) && Intersects(layout.HeaderRect(), area)) {
        PaintHeader(dc);
    }
    const RECT rows = layout.RowsRect();
    RECT background{};
    if (IntersectRect(&background, &rows, &area)) {
        FillRect(dc, &background, GetSysColorBrush(COLOR_WINDOW));
    }
    int image_width = 0;
    int image_height = 0;
    if (state_.small_images) {
        ImageList_GetIconSize(state_.small_images, &image_width, &image_height);
    }
    for (int index = layout.TopIndex(); index < layout.VisibleEnd(); ++index) {
        if (Intersects(layout.RowRect(index), area)) {
            PaintRow(dc, index, image_width, image_height);
        }
    }
    if (layout.ScrollBarShown()) {
        state_.scroll_bar.Paint(dc, state_.pressed_part);
    }
    SetBkMode(dc, previous_mode);
    SelectObject(dc, previous_font);
}

void ListViewPainter::PaintHeader(HDC dc) const {
    const RECT header = state_.layout.HeaderRect();
    PocketPcPainter::FillSolid(dc, header, GetSysColor(COLOR_BTNFACE));
    int left = 0;
    for (const ListViewColumn& column : state_.columns) {
        const RECT cell{left, header.top, std::min<LONG>(left + column.width, header.right),
                        header.bottom};
        left += column.width;
        if (cell.right <= cell.left) {
            continue;
        }
        RECT inside = PocketPcPainter::DrawEdge(dc, cell, EdgeStyle::Raised);
        inside.left += kListViewHeaderMargin - 2;
        inside.right -= kListViewHeaderMargin - 2;
        PaintCellText(dc, column.text, inside, column.format, GetSysColor(COLOR_BTNTEXT));
    }
    // The strip right of the last column is an empty heading.
    if (left < header.right) {
        PocketPcPainter::DrawEdge(dc, RECT{left, header.top, header.right, header.bottom},
                                  EdgeStyle::Raised);
    }
}

void ListViewPainter::PaintRow(HDC dc, int index, int image_width, int image_height) const {
    const ListViewRow& row = state_.rows.At(index);
    const RECT band = state_.layout.RowRect(index);
    const bool selected = (row.state & LVIS_SELECTED) != 0;
    const bool highlighted = selected && state_.focused;
    const bool dimmed = selected && !state_.focused && (state_.style & LVS_SHOWSELALWAYS);
    int left = 0;
    for (std::size_t column = 0; column < state_.columns.size(); ++column) {
        const ListViewColumn& heading = state_.columns[column];
        RECT cell{left, band.top, std::min<LONG>(left + heading.width, band.right), band.bottom};
        left += heading.width;
        if (cell.right <= cell.left) {
            continue;
        }
        COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
        if (column == 0) {
            if (state_.small_images) {
                const int y = cell.top + (cell.bottom - cell.top - image_height) / 2;
                const int x = cell.left + kListViewImageMargin;
                if (row.image >= 0 && x + image_width <= cell.right) {
                    ImageList_Draw(state_.small_images, row.image, dc, x, y, ILD_TRANSPARENT);
                }
                cell.left = std::min<LONG>(x + image_width, cell.right);
            }
            // The selection marks the label only: the first column's text.
            if (highlighted || dimmed) {
                const int label =
                    TextMeasure(state_.font).Width(row.Text(0)) + 2 * kListViewTextMargin;
                const RECT mark{cell.left, cell.top, std::min<LONG>(cell.left + label, cell.right),
                                cell.bottom};
                PocketPcPainter::FillSolid(
                    dc, mark, GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
                if (highlighted) {
                    ink = GetSysColor(COLOR_HIGHLIGHTTEXT);
                }
            }
        }
        cell.left += kListViewTextMargin;
        cell.right -= kListViewTextMargin;
        PaintCellText(dc, row.Text(static_cast<int>(column)), cell, heading.format, ink);
    }
}

void ListViewPainter::PaintCellText(HDC dc, std::u16string_view text, RECT cell, int format,
                                    COLORREF color) const {
    if (text.empty() || cell.right <= cell.left) {
        return;
    }
    SetTextColor(dc, color);
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &cell,
              AlignmentOf(format) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace platform::controls
