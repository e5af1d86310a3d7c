#include "controls/tree_view/tree_view_painter.h"

#include "gdi/pocket_pc_painter.h"

namespace platform::controls {

using gdi::PocketPcPainter;

namespace {

// Room left and right of a label inside its highlight.
constexpr int kLabelPadding = 2;
// Half the length of the strokes of the plus and minus signs.
constexpr int kSignReach = 2;

}  // namespace

void TreeViewPainter::PaintRows(int firstRow, int rowCount) {
    const auto& rows = items_.Rows();
    for (int i = 0; i < rowCount && firstRow + i < static_cast<int>(rows.size()); ++i) {
        const TreeViewItems::Row& row = rows[firstRow + i];
        const int top = i * layout_.rowHeight;
        if (options_.lines) {
            PaintLines(row, top);
        }
        if (options_.buttons && layout_.HasJoint(row.depth) && items_.HasButton(row.slot)) {
            PaintButton(row, top);
        }
        PaintLabel(row, top);
    }
}

void TreeViewPainter::PaintLines(const TreeViewItems::Row& row, int top) {
    const int bottom = top + layout_.rowHeight;
    const int middle = top + layout_.rowHeight / 2;
    if (layout_.HasJoint(row.depth)) {
        const int x = layout_.JointX(row.depth);
        const bool firstOfAll = row.depth == 0 && !items_.PreviousSibling(row.slot);
        const bool more = items_.NextSibling(row.slot).has_value();
        DottedVertical(x, firstOfAll ? middle : top, more ? bottom : middle + 1);
        DottedHorizontal(x, layout_.LabelColumn(row.depth) * layout_.indent, middle);
    }
    // Ancestors with siblings still to come carry their line down past this row.
    int depth = row.depth - 1;
    for (TreeViewItems::Slot a = items_.Parent(row.slot); a != TreeViewItems::kRoot;
         a = items_.Parent(a), --depth) {
        if (layout_.HasJoint(depth) && items_.NextSibling(a)) {
            DottedVertical(layout_.JointX(depth), top, bottom);
        }
    }
}

void TreeViewPainter::PaintButton(const TreeViewItems::Row& row, int top) {
    const RECT box = layout_.ButtonRect(row.depth, top);
    PocketPcPainter::DrawFrame(dc_, box, GetSysColor(COLOR_BTNSHADOW));
    PocketPcPainter::FillSolid(dc_, RECT{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1},
                               GetSysColor(COLOR_WINDOW));
    const COLORREF sign = GetSysColor(COLOR_WINDOWTEXT);
    const int cx = (box.left + box.right) / 2;
    const int cy = (box.top + box.bottom) / 2;
    PocketPcPainter::FillSolid(dc_, RECT{cx - kSignReach, cy, cx + kSignReach + 1, cy + 1}, sign);
    if (!items_.At(row.slot).expanded) {
        PocketPcPainter::FillSolid(dc_, RECT{cx, cy - kSignReach, cx + 1, cy + kSignReach + 1},
                                   sign);
    }
}

void TreeViewPainter::PaintLabel(const TreeViewItems::Row& row, int top) {
    const std::u16string& text = items_.At(row.slot).text;
    SIZE extent{};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &extent);
    const int left = layout_.LabelLeft(row.depth);
    RECT label{left, top, left + extent.cx + 2 * kLabelPadding, top + layout_.rowHeight};
    const bool highlighted = options_.showSelection && options_.selection == row.slot;
    if (highlighted) {
        PocketPcPainter::FillSolid(dc_, label, GetSysColor(COLOR_HIGHLIGHT));
    }
    SetTextColor(dc_, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    label.left += kLabelPadding;
    DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &label,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TreeViewPainter::DottedVertical(int x, int top, int bottom) {
    const COLORREF color = GetSysColor(COLOR_BTNSHADOW);
    for (int y = top + ((x + top) & 1); y < bottom; y += 2) {
        SetPixel(dc_, x, y, color);
    }
}

void TreeViewPainter::DottedHorizontal(int left, int right, int y) {
    const COLORREF color = GetSysColor(COLOR_BTNSHADOW);
    for (int x = left + ((left + y) & 1); x < right; x += 2) {
        SetPixel(dc_, x, y, color);
    }
}

}  // namespace platform::controls
