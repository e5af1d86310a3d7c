// The list view's answers to the stylus and the keys, the selection they change, and
// the notifications that tell the parent, in the order Windows sends them: for a tap
// on a row, LVN_ITEMCHANGING and LVN_ITEMCHANGED for each row whose state changes
// (the row losing the selection first), then NM_CLICK.
#include <algorithm>
#include <cstdlib>

#include "controls/control_parent.h"
#include "controls/list_view/list_view.h"
#include "controls/list_view/list_view_painter.h"

namespace platform::controls {
namespace {

// How far the stylus must move before a tap becomes a drag that scrolls the rows.
constexpr int kDragThreshold = 5;

}  // namespace

LRESULT ListView::Notify(UINT code, NMHDR& header) const {
    header.hwndFrom = window_;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window_));
    header.code = code;
    return SendMessageW(GetParent(window_), WM_NOTIFY, header.idFrom,
                        reinterpret_cast<LPARAM>(&header));
}

bool ListView::ChangeState(int index, UINT state, UINT mask, POINT action) {
    if (!rows_.Contains(index)) {
        return false;
    }
    const UINT old_state = rows_.At(index).state;
    const UINT new_state = (old_state & ~mask) | (state & mask);
    if (new_state == old_state) {
        return true;
    }
    NMLISTVIEW change{};
    change.iItem = index;
    change.uNewState = new_state;
    change.uOldState = old_state;
    change.uChanged = LVIF_STATE;
    change.ptAction = action;
    change.lParam = rows_.At(index).param;
    if (Notify(LVN_ITEMCHANGING, change.hdr)) {
        return false;
    }
    // The parent may have changed the list while it was asked.
    if (!rows_.Contains(index)) {
        return false;
    }
    rows_.At(index).state = new_state;
    InvalidateRow(index);
    change.lParam = rows_.At(index).param;
    Notify(LVN_ITEMCHANGED, change.hdr);
    return true;
}

bool ListView::SetItemState(int index, const LVITEMW* item) {
    if (!item || (index != -1 && !rows_.Contains(index))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const UINT mask = item->stateMask & (LVIS_SELECTED | LVIS_FOCUSED);
    const UINT state = item->state & mask;
    if (index == -1) {
        for (int row = 0; row < rows_.Count(); ++row) {
            ChangeState(row, state, mask);
        }
        return true;
    }
    // One row holds the focus, and a single-selection list one selected row.
    const bool takes_focus = (mask & state & LVIS_FOCUSED) != 0;
    const bool takes_selection = (mask & state & LVIS_SELECTED) && (style_ & LVS_SINGLESEL);
    const UINT others = (takes_focus ? LVIS_FOCUSED : 0) | (takes_selection ? LVIS_SELECTED : 0);
    if (others) {
        for (int row = 0; row < rows_.Count(); ++row) {
            if (row != index && (rows_.At(row).state & others)) {
                ChangeState(row, 0, others);
            }
        }
    }
    return ChangeState(index, state, mask);
}

void ListView::SelectOnly(int index, POINT action) {
    for (int row = 0; row < rows_.Count(); ++row) {
        const UINT lost = index >= 0 ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
        if (row != index && (rows_.At(row).state & lost)) {
            ChangeState(row, 0, lost, action);
        }
    }
    if (index >= 0) {
        ChangeState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED, action);
    }
}

int ListView::ColumnAt(int x) const {
    int right = 0;
    for (std::size_t column = 0; column < columns_.size(); ++column) {
        right += columns_[column].width;
        if (x < right) {
            return static_cast<int>(column);
        }
    }
    return -1;
}

// A stylus tap anywhere on a row's band selects it: on a handheld the first column's
// label is too small a target to ask for.
void ListView::NotifyClick(POINT point) {
    const int index = layout_.RowAt(point);
    SelectOnly(index, point);
    NMITEMACTIVATE click{};
    click.iItem = index;
    click.iSubItem = index >= 0 ? std::max(ColumnAt(point.x), 0) : 0;
    click.ptAction = point;
    Notify(NM_CLICK, click.hdr);
}

void ListView::ScrollByPart(ScrollBarPart part) {
    const int page = std::max(layout_.CountPerPage(), 1);
    switch (part) {
        case ScrollBarPart::LineUp:
            ScrollTo(layout_.TopIndex() - 1);
            break;
        case ScrollBarPart::LineDown:
            ScrollTo(layout_.TopIndex() + 1);
            break;
        case ScrollBarPart::PageUp:
            ScrollTo(layout_.TopIndex() - page);
            break;
        case ScrollBarPart::PageDown:
            ScrollTo(layout_.TopIndex() + page);
            break;
        default:
            break;
    }
}

void ListView::OnLButtonDown(POINT point) {
    if (GetFocus() != window_) {
        SetFocus(window_);
    }
    SetCapture(window_);
    track_start_ = point;
    track_start_top_ = layout_.TopIndex();
    const VerticalScrollBar bar = ScrollBar();
    pressed_part_ = layout_.ScrollBarShown() ? bar.PartAt(point) : ScrollBarPart::None;
    switch (pressed_part_) {
        case ScrollBarPart::None:
            track_ = Track::Tap;
            return;
        case ScrollBarPart::Thumb:
            track_ = Track::Thumb;
            thumb_grab_offset_ = point.y - bar.ThumbRect().top;
            break;
        default:
            track_ = Track::ScrollBarButton;
            ScrollByPart(pressed_part_);
            break;
    }
    const RECT rect = layout_.ScrollBarRect();
    InvalidateRect(window_, &rect, FALSE);
}

void ListView::OnMouseMove(POINT point) {
    if (track_ == Track::Tap && std::abs(point.y - track_start_.y) > kDragThreshold) {
        track_ = Track::DragRows;
    }
    if (track_ == Track::DragRows) {
        // The rows follow the stylus: dragging up brings later rows into view.
        const int rows_moved = (track_start_.y - point.y) / layout_.RowHeight();
        ScrollTo(track_start_top_ + rows_moved);
    } else if (track_ == Track::Thumb) {
        ScrollTo(ScrollBar().PositionForThumbTop(point.y - thumb_grab_offset_));
    }
}

void ListView::OnLButtonUp(POINT point) {
    const Track ended = track_;
    OnCaptureLost();
    if (GetCapture() == window_) {
        ReleaseCapture();
    }
    if (ended == Track::Tap) {
        NotifyClick(point);
    }
}

void ListView::OnCaptureLost() {
    if (pressed_part_ != ScrollBarPart::None) {
        const RECT rect = layout_.ScrollBarRect();
        InvalidateRect(window_, &rect, FALSE);
    }
    track_ = Track::None;
    pressed_part_ = ScrollBarPart::None;
}

void ListView::OnFocusChanged() {
    // The selection's colour depends on the focus.
    for (int row = rows_.Next(-1, LVIS_SELECTED); row >= 0; row = rows_.Next(row, LVIS_SELECTED)) {
        InvalidateRow(row);
    }
}

void ListView::MoveSelection(int target) {
    if (rows_.Count() == 0) {
        return;
    }
    target = std::clamp(target, 0, rows_.Count() - 1);
    SelectOnly(target);
    EnsureVisible(target);
}

bool ListView::OnKeyDown(UINT key) {
    const int current = rows_.Next(-1, LVIS_FOCUSED);
    const int page = std::max(layout_.CountPerPage() - 1, 1);
    switch (key) {
        case VK_UP:
            MoveSelection(current < 0 ? 0 : current - 1);
            return true;
        case VK_DOWN:
            MoveSelection(current + 1);
            return true;
        case VK_PRIOR:
            MoveSelection(current - page);
            return true;
        case VK_NEXT:
            MoveSelection(current < 0 ? page : current + page);
            return true;
        case VK_HOME:
            MoveSelection(0);
            return true;
        case VK_END:
            MoveSelection(rows_.Count() - 1);
            return true;
        default:
            return false;
    }
}

void ListView::Paint(HDC dc, const RECT& client) {
    const VerticalScrollBar bar = ScrollBar();
    const ListViewPaintState state{rows_,
                                   columns_,
                                   layout_,
                                   bar,
                                   pressed_part_,
                                   small_images_,
                                   FontOrDefault(font_),
                                   style_,
                                   GetFocus() == window_};
    ListViewPainter(state).Paint(dc, client);
}

}  // namespace platform::controls
