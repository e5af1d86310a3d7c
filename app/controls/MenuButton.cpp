#include "controls/MenuButton.h"

#include "controls/PaintSession.h"

namespace {

constexpr COLORREF kFaceColour = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF kHighlightColour = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kShadowColour = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kTextColour = RGB(0, 0, 0);
constexpr COLORREF kDisabledTextColour = kShadowColour;
constexpr int kArrowAreaWidth = 20;
constexpr int kSeparatorWidth = 2;
// The separator stops this far short of the top and bottom edges.
constexpr int kSeparatorInset = 2;
// Half the arrow's width, and its height.
constexpr int kArrowSize = 3;

// The point of a mouse message. Both halves are read unsigned, so a point left of or
// above the control (possible while it holds the capture) lands far outside it rather
// than at a negative coordinate that a hit test would have to think about.
POINT PointFromParam(LPARAM lParam) {
    return POINT{LOWORD(lParam), HIWORD(lParam)};
}

// Fills `rect` with `colour` the cheap way: an opaque text output without text. The
// rectangle may be given right-to-left or bottom-to-top.
void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// A one-pixel 3-D frame of width x height at (x, y): top and left in `topLeft`, right
// and bottom in `bottomRight`, which is drawn last and so owns the shared corners.
void Draw3dRect(HDC dc, int x, int y, int width, int height, COLORREF topLeft,
                COLORREF bottomRight) {
    FillSolid(dc, RECT{x, y, x + width - 1, y + 1}, topLeft);
    FillSolid(dc, RECT{x, y, x + 1, y + height - 1}, topLeft);
    FillSolid(dc, RECT{x + width, y, x + width - 1, y + height}, bottomRight);
    FillSolid(dc, RECT{x, y + height, x + width, y + height - 1}, bottomRight);
}

}  // namespace

bool MenuButton::AppendItem(int id, LPCWSTR text) {
    std::optional<MenuButtonItem> item = MenuButtonItem::Make(id, text);
    if (!item) {
        return false;
    }
    items_.push_back(*item);
    return true;
}

void MenuButton::SelectItem(int id) {
    MakeCurrent(id);
    InvalidateRect(Handle(), nullptr, TRUE);
}

std::optional<int> MenuButton::CurrentItemId() const {
    if (!current_) {
        return std::nullopt;
    }
    return items_[*current_].Id();
}

void MenuButton::MakeCurrent(int id) {
    for (std::size_t index = 0; index < items_.size(); ++index) {
        if (items_[index].Id() == id) {
            current_ = index;
        }
    }
}

LRESULT MenuButton::OnPaint(WPARAM, LPARAM) {
    const PaintSession paint(Handle());
    const HDC dc = paint.Dc();
    const RECT& client = paint.Client();
    const HBRUSH face = CreateSolidBrush(kFaceColour);
    FillRect(dc, &client, face);
    arrowArea_ = RECT{client.right - kArrowAreaWidth, client.top, client.right, client.bottom};
    textArea_ = RECT{client.left, client.top, client.right - kArrowAreaWidth, client.bottom};
    DrawSeparator(dc);
    DrawArrow(dc);
    SetTextColor(dc, IsWindowEnabled(Handle()) ? kTextColour : kDisabledTextColour);
    SetBkMode(dc, TRANSPARENT);
    if (current_) {
        RECT textRect = textArea_;
        // The device context's own font: the button draws as the platform's buttons do.
        DrawTextW(dc, items_[*current_].Text(), -1, &textRect,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    DeleteObject(face);
    return 0;
}

void MenuButton::DrawSeparator(HDC dc) const {
    const int top = arrowArea_.top + kSeparatorInset;
    const int bottom = arrowArea_.bottom - kSeparatorInset;
    Draw3dRect(dc, arrowArea_.left, top, kSeparatorWidth, bottom - top, kHighlightColour,
               kShadowColour);
}

void MenuButton::DrawArrow(HDC dc) const {
    const int cx = (arrowArea_.left + arrowArea_.right) / 2;
    const int cy = (arrowArea_.top + arrowArea_.bottom) / 2;
    // A closed outline pointing down, its tip at the centre, in the current pen.
    const POINT outline[] = {
        {cx, cy}, {cx - kArrowSize, cy - kArrowSize}, {cx + kArrowSize, cy - kArrowSize}, {cx, cy}};
    Polyline(dc, outline, 4);
}

LRESULT MenuButton::OnLButtonDown(WPARAM, LPARAM lParam) {
    const HWND hwnd = Handle();
    if (!IsWindowEnabled(hwnd)) {
        return 0;
    }
    const POINT point = PointFromParam(lParam);
    if (PtInRect(&arrowArea_, point)) {
        if (ChooseFromMenu()) {
            NotifyParent(kChoiceChanged);
        }
    } else if (PtInRect(&textArea_, point)) {
        // Held so that the lift is heard wherever it happens, and a tap that slides off
        // the text area can be told from one that stays on it.
        SetCapture(hwnd);
    }
    return 0;
}

bool MenuButton::ChooseFromMenu() {
    const HWND hwnd = Handle();
    const HMENU menu = CreatePopupMenu();
    if (!menu) {
        return false;
    }
    const std::optional<int> currentId = CurrentItemId();
    for (const MenuButtonItem& item : items_) {
        const UINT checked = currentId == item.Id() ? MF_CHECKED : 0;
        AppendMenuW(menu, MF_STRING | checked, static_cast<UINT_PTR>(item.Id()), item.Text());
    }
    // The menu's top-left corner goes just below the control, at its left edge.
    POINT corners[] = {{textArea_.left, textArea_.top}, {textArea_.right, textArea_.bottom}};
    ClientToScreen(hwnd, &corners[0]);
    ClientToScreen(hwnd, &corners[1]);
    const int command = TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_NONOTIFY, corners[0].x,
                                         corners[1].y, hwnd, nullptr);
    DestroyMenu(menu);
    const std::optional<std::size_t> before = current_;
    // A dismissal reports 0, which MenuButtonItem keeps from being any item's id.
    MakeCurrent(command);
    const bool changed = current_ != before;
    if (changed) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    return changed;
}

LRESULT MenuButton::OnLButtonUp(WPARAM, LPARAM lParam) {
    const HWND hwnd = Handle();
    // Only a press on the text area takes the capture. A lift without it ends a press
    // made elsewhere: the one that dismissed the arrow's menu, say, when it fell on the
    // text area, which must not run the action.
    if (!IsWindowEnabled(hwnd) || GetCapture() != hwnd) {
        return 0;
    }
    ReleaseCapture();
    if (PtInRect(&textArea_, PointFromParam(lParam))) {
        NotifyParent(kTapped);
    }
    return 0;
}

LRESULT MenuButton::OnEnable(WPARAM, LPARAM) {
    InvalidateRect(Handle(), nullptr, TRUE);
    return 0;
}
