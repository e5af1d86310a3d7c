// The tree view's rows on the screen: layout, painting, scrolling, and what the stylus
// and the keys do to them.
#include <algorithm>

#include "controls/control_parent.h"
#include "controls/text_measure.h"
#include "controls/tree_view/tree_view.h"
#include "controls/tree_view/tree_view_painter.h"
#include "gdi/pocket_pc_painter.h"

namespace platform::controls {

namespace {

// Space above and below a label within its row.
constexpr int kRowPadding = 3;

}  // namespace

TreeViewLayout TreeView::Layout() const {
    TreeViewLayout layout;
    layout.rowHeight = std::max(TextMeasure(font_).LineHeight() + kRowPadding,
                                TreeViewLayout::kButtonSize + 2 * kRowPadding);
    layout.linesAtRoot = HasStyle(TVS_LINESATROOT);
    return layout;
}

int TreeView::RowsPerPage() const {
    RECT client{};
    GetClientRect(window_, &client);
    return std::max(1, static_cast<int>(client.bottom) / Layout().rowHeight);
}

bool TreeView::ScrollBarShows() const {
    return static_cast<int>(items_.Rows().size()) > RowsPerPage();
}

VerticalScrollBar TreeView::ScrollBar() const {
    RECT client{};
    GetClientRect(window_, &client);
    const RECT rect{client.right - GetSystemMetrics(SM_CXVSCROLL), 0, client.right, client.bottom};
    return VerticalScrollBar(rect, static_cast<int>(items_.Rows().size()), RowsPerPage(), topRow_);
}

void TreeView::ScrollTo(int topRow) {
    const int last = std::max(0, static_cast<int>(items_.Rows().size()) - RowsPerPage());
    topRow = std::clamp(topRow, 0, last);
    if (topRow != topRow_) {
        topRow_ = topRow;
        InvalidateRect(window_, nullptr, TRUE);
    }
}

void TreeView::ClampTopRow() {
    ScrollTo(topRow_);
}

void TreeView::OnLButtonDown(POINT point) {
    if (GetFocus() != window_) {
        SetFocus(window_);
    }
    if (ScrollBarShows()) {
        const VerticalScrollBar bar = ScrollBar();
        const ScrollBarPart part = bar.PartAt(point);
        const int page = RowsPerPage();
        switch (part) {
            case ScrollBarPart::None:
                break;
            case ScrollBarPart::LineUp:
                ScrollTo(topRow_ - 1);
                break;
            case ScrollBarPart::LineDown:
                ScrollTo(topRow_ + 1);
                break;
            case ScrollBarPart::PageUp:
                ScrollTo(topRow_ - page);
                break;
            case ScrollBarPart::PageDown:
                ScrollTo(topRow_ + page);
                break;
            case ScrollBarPart::Thumb:
                thumbGrabOffset_ = point.y - bar.ThumbRect().top;
                break;
        }
        if (part != ScrollBarPart::None) {
            pressedPart_ = part;
            SetCapture(window_);
            InvalidateRect(window_, nullptr, FALSE);
            return;
        }
    }
    const TreeViewLayout layout = Layout();
    const auto& rows = items_.Rows();
    const int row = point.y >= 0 ? topRow_ + point.y / layout.rowHeight : -1;
    if (row >= 0 && row < static_cast<int>(rows.size())) {
        const TreeViewItems::Row target = rows[row];
        // The whole column of the button answers, which is easier to hit with a stylus.
        const int jointLeft = layout.JointX(target.depth) - layout.indent / 2;
        if (HasStyle(TVS_HASBUTTONS) && layout.HasJoint(target.depth) &&
            items_.HasButton(target.slot) && point.x >= jointLeft &&
            point.x < jointLeft + layout.indent) {
            ExpandByUser(target.slot, !items_.At(target.slot).expanded);
            return;
        }
    }
    // The parent may take the tap over by answering NM_CLICK with nonzero.
    if (NotifyClick() != 0) {
        return;
    }
    const auto& rowsAfter = items_.Rows();  // the parent may have changed the tree
    if (row >= 0 && row < static_cast<int>(rowsAfter.size()) &&
        point.x >= layout.LabelLeft(rowsAfter[row].depth) - TreeViewLayout::kLabelGap) {
        ChangeSelection(rowsAfter[row].slot, TVC_BYMOUSE);
    }
}

void TreeView::OnMouseMove(POINT point) {
    if (pressedPart_ == ScrollBarPart::Thumb) {
        ScrollTo(ScrollBar().PositionForThumbTop(point.y - thumbGrabOffset_));
    }
}

void TreeView::OnLButtonUp() {
    if (pressedPart_ == ScrollBarPart::None) {
        return;
    }
    pressedPart_ = ScrollBarPart::None;
    if (GetCapture() == window_) {
        ReleaseCapture();
    }
    InvalidateRect(window_, nullptr, FALSE);
}

void TreeView::OnKeyDown(UINT key) {
    const auto& rows = items_.Rows();
    if (rows.empty()) {
        return;
    }
    const int current = selection_ ? items_.RowOf(*selection_).value_or(0) : -1;
    const int page = RowsPerPage();
    switch (key) {
        case VK_UP:
            SelectRow(std::max(current - 1, 0));
            break;
        case VK_DOWN:
            SelectRow(current + 1);
            break;
        case VK_PRIOR:
            SelectRow(std::max(current - page, 0));
            break;
        case VK_NEXT:
            SelectRow(current + page);
            break;
        case VK_HOME:
            SelectRow(0);
            break;
        case VK_END:
            SelectRow(static_cast<int>(rows.size()) - 1);
            break;
        case VK_LEFT:
            if (!selection_) {
                break;
            }
            if (items_.At(*selection_).expanded && items_.HasButton(*selection_)) {
                ExpandByUser(*selection_, false);
            } else if (items_.Parent(*selection_) != TreeViewItems::kRoot) {
                SelectRow(*items_.RowOf(items_.Parent(*selection_)));
            }
            break;
        case VK_RIGHT:
            if (!selection_ || !items_.HasButton(*selection_)) {
                break;
            }
            if (!items_.At(*selection_).expanded) {
                ExpandByUser(*selection_, true);
            } else if (!items_.Children(*selection_).empty()) {
                SelectRow(current + 1);
            }
            break;
        default:
            break;
    }
}

void TreeView::SelectRow(int row) {
    const auto& rows = items_.Rows();
    row = std::clamp(row, 0, static_cast<int>(rows.size()) - 1);
    const Slot slot = rows[row].slot;
    if (ChangeSelection(slot, TVC_BYKEYBOARD) && selection_ == slot) {
        Reveal(slot);
    }
}

void TreeView::Paint(HDC dc, const RECT& client) {
    gdi::PocketPcPainter::FillSolid(dc, client, GetSysColor(COLOR_WINDOW));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const TreeViewLayout layout = Layout();
    TreeViewPainter::Options options;
    options.lines = HasStyle(TVS_HASLINES);
    options.buttons = HasStyle(TVS_HASBUTTONS);
    options.showSelection = GetFocus() == window_ || HasStyle(TVS_SHOWSELALWAYS);
    options.selection = selection_;
    const int page = RowsPerPage();
    // One row more than fits, so a partly shown row at the bottom is drawn too.
    TreeViewPainter(dc, items_, layout, options).PaintRows(topRow_, page + 1);
    if (ScrollBarShows()) {
        ScrollBar().Paint(dc, pressedPart_);
    }
    SetBkMode(dc, previousMode);
}

}  // namespace platform::controls
