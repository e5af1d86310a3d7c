#include "controls/combo_box/combo_list_popup.h"

#include <wingdi.h>
#include <winuser.h>

#include <algorithm>
#include <mutex>

#include "controls/control_window.h"
#include "gdi/pocket_pc_painter.h"
#include "kernel/text/utf8.h"
#include "user/window_dump.h"

namespace platform::controls {

namespace {

// The class Win32 gives a combo box's list; automation finds an open list by it.
constexpr const WCHAR* kListClassName = u"ComboLBox";
constexpr int kScrollBarWidth = 13;
constexpr int kMinimumThumbHeight = 8;
constexpr int kTextIndent = 2;

}  // namespace

ComboListPopup::~ComboListPopup() {
    if (window_ && IsWindow(window_)) {
        SetWindowLongPtrW(window_, 0, 0);
        DestroyWindow(window_);
    }
}

void ComboListPopup::RegisterClassOnce() {
    static std::once_flag registered;
    std::call_once(registered,
                   [] { RegisterControlClass(kListClassName, WindowProcedure, 0, nullptr); });
}

bool ComboListPopup::Open(HWND combo, const RECT& comboRect, int maxRows, int rowHeight, HFONT font,
                          int highlight) {
    if (!window_ || !IsWindow(window_)) {
        RegisterClassOnce();
        window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, kListClassName, u"",
                                  WS_POPUP | WS_BORDER, 0, 0, 0, 0, combo, nullptr, nullptr, this);
        if (!window_) {
            return false;
        }
    }
    font_ = font;
    rowHeight_ = std::max(rowHeight, 1);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int spaceBelow = screenHeight - comboRect.bottom;
    const int spaceAbove = comboRect.top;
    // Two pixels of the height are the border's.
    const auto rowsFitting = [&](int space) { return (space - 2) / rowHeight_; };
    rows_ = std::clamp(std::min(maxRows, items_.Count()), 1, std::max(1, maxRows));
    bool below = true;
    if (rowsFitting(spaceBelow) < rows_) {
        below = rowsFitting(spaceBelow) >= rowsFitting(spaceAbove);
        rows_ = std::max(1, std::min(rows_, rowsFitting(below ? spaceBelow : spaceAbove)));
    }
    const int height = rows_ * rowHeight_ + 2;
    const int width = comboRect.right - comboRect.left;
    const int left = std::clamp<int>(comboRect.left, 0, std::max(0, screenWidth - width));
    const int top = below ? comboRect.bottom : comboRect.top - height;
    top_ = 0;
    highlight_ = -1;
    thumbGrab_ = -1;
    SetHighlight(highlight);
    SetWindowPos(window_, HWND_TOPMOST, left, top, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    open_ = true;
    InvalidateRect(window_, nullptr, TRUE);
    SetCapture(window_);
    return true;
}

void ComboListPopup::Close() {
    if (!open_) {
        return;
    }
    // Cleared first: giving the capture back must not read as losing it.
    open_ = false;
    thumbGrab_ = -1;
    if (GetCapture() == window_) {
        ReleaseCapture();
    }
    ShowWindow(window_, SW_HIDE);
}

void ComboListPopup::SetHighlight(int index) {
    highlight_ = items_.IsValid(index) ? index : -1;
    if (highlight_ >= 0 && highlight_ < top_) {
        ScrollTo(highlight_);
    } else if (highlight_ >= top_ + rows_) {
        ScrollTo(highlight_ - rows_ + 1);
    }
    if (window_) {
        InvalidateRect(window_, nullptr, TRUE);
    }
}

void ComboListPopup::ScrollTo(int top) {
    top_ = std::clamp(top, 0, std::max(0, items_.Count() - rows_));
    if (window_) {
        InvalidateRect(window_, nullptr, TRUE);
    }
}

RECT ComboListPopup::ClientRect() const {
    RECT rect{};
    GetClientRect(window_, &rect);
    return rect;
}

RECT ComboListPopup::RowsRect() const {
    RECT rect = ClientRect();
    if (HasScrollBar()) {
        rect.right -= kScrollBarWidth;
    }
    return rect;
}

RECT ComboListPopup::ScrollBarRect() const {
    RECT rect = ClientRect();
    rect.left = rect.right - kScrollBarWidth;
    return rect;
}

RECT ComboListPopup::ThumbRect() const {
    RECT bar = ScrollBarRect();
    const int barHeight = bar.bottom - bar.top;
    const int count = items_.Count();
    const int thumbHeight = std::max(kMinimumThumbHeight, barHeight * rows_ / std::max(count, 1));
    const int range = std::max(count - rows_, 1);
    bar.top += (barHeight - thumbHeight) * top_ / range;
    bar.bottom = bar.top + thumbHeight;
    return bar;
}

int ComboListPopup::TopForThumbAt(int y) const {
    const RECT bar = ScrollBarRect();
    const RECT thumb = ThumbRect();
    const int travel = (bar.bottom - bar.top) - (thumb.bottom - thumb.top);
    if (travel <= 0) {
        return 0;
    }
    const int range = items_.Count() - rows_;
    return ((y - bar.top) * range + travel / 2) / travel;
}

int ComboListPopup::ItemAt(POINT point) const {
    const RECT rows = RowsRect();
    if (!PtInRect(&rows, point)) {
        return -1;
    }
    const int index = top_ + (point.y - rows.top) / rowHeight_;
    return items_.IsValid(index) ? index : -1;
}

void ComboListPopup::OnButtonDown(POINT point) {
    const RECT client = ClientRect();
    if (!PtInRect(&client, point)) {
        owner_.OnListDismissed();
        return;
    }
    const RECT bar = ScrollBarRect();
    if (HasScrollBar() && PtInRect(&bar, point)) {
        const RECT thumb = ThumbRect();
        if (point.y < thumb.top) {
            ScrollTo(top_ - rows_);
        } else if (point.y >= thumb.bottom) {
            ScrollTo(top_ + rows_);
        } else {
            thumbGrab_ = point.y - thumb.top;
        }
        return;
    }
    if (const int item = ItemAt(point); item >= 0) {
        highlight_ = item;
        InvalidateRect(window_, nullptr, TRUE);
    }
}

void ComboListPopup::OnMove(POINT point, bool pressed) {
    if (!pressed) {
        return;
    }
    if (thumbGrab_ >= 0) {
        ScrollTo(TopForThumbAt(point.y - thumbGrab_));
    } else if (const int item = ItemAt(point); item >= 0 && item != highlight_) {
        highlight_ = item;
        InvalidateRect(window_, nullptr, TRUE);
    }
}

void ComboListPopup::OnButtonUp(POINT point) {
    if (thumbGrab_ >= 0) {
        thumbGrab_ = -1;
        return;
    }
    if (const int item = ItemAt(point); item >= 0) {
        owner_.OnListChoice(item);
    }
}

void ComboListPopup::OnCaptureChanged(HWND newCapture) {
    if (open_ && newCapture != window_) {
        owner_.OnListDismissed();
    }
}

void ComboListPopup::Paint(HDC dc) const {
    using gdi::PocketPcPainter;
    const RECT rows = RowsRect();
    PocketPcPainter::FillSolid(dc, rows, GetSysColor(COLOR_WINDOW));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    for (int row = 0; row < rows_ && items_.IsValid(top_ + row); ++row) {
        const int index = top_ + row;
        RECT rect{rows.left, rows.top + row * rowHeight_, rows.right,
                  rows.top + (row + 1) * rowHeight_};
        const bool highlighted = index == highlight_;
        if (highlighted) {
            PocketPcPainter::FillSolid(dc, rect, GetSysColor(COLOR_HIGHLIGHT));
        }
        SetTextColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        rect.left += kTextIndent;
        const std::u16string& text = items_.At(index).text;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SetBkMode(dc, previousMode);
    if (HasScrollBar()) {
        PaintScrollBar(dc);
    }
}

void ComboListPopup::PaintScrollBar(HDC dc) const {
    using gdi::PocketPcPainter;
    PocketPcPainter::FillSolid(dc, ScrollBarRect(), GetSysColor(COLOR_SCROLLBAR));
    PocketPcPainter::DrawPushButton(dc, ThumbRect(), false);
}

void ComboListPopup::Dump(nlohmann::json& content) const {
    auto visible = nlohmann::json::array();
    for (int row = 0; row < rows_ && items_.IsValid(top_ + row); ++row) {
        visible.push_back(kernel::EncodeUtf8(items_.At(top_ + row).text).text);
    }
    content["topIndex"] = top_;
    content["visibleItems"] = std::move(visible);
    content["highlight"] = highlight_;
    content["scrolls"] = HasScrollBar();
}

LRESULT ComboListPopup::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            const ControlPaint paint(window_, font_);
            if (paint.dc() != nullptr) {
                Paint(paint.dc());
            }
            return 0;
        }
        case WM_LBUTTONDOWN:
            OnButtonDown(PointFromParam(lParam));
            return 0;
        case WM_MOUSEMOVE:
            OnMove(PointFromParam(lParam), wParam & MK_LBUTTON);
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp(PointFromParam(lParam));
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureChanged(reinterpret_cast<HWND>(lParam));
            return 0;
        case user::kDumpContentMessage:
            if (!open_) {
                return 0;
            }
            Dump(*reinterpret_cast<nlohmann::json*>(lParam));
            return 1;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

LRESULT CALLBACK ComboListPopup::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        // The handle is known here, before CreateWindowExW returns it.
        static_cast<ComboListPopup*>(create->lpCreateParams)->window_ = hwnd;
    }
    auto* popup = reinterpret_cast<ComboListPopup*>(GetWindowLongPtrW(hwnd, 0));
    if (!popup) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, 0, 0);
        popup->window_ = nullptr;
        popup->open_ = false;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return popup->HandleMessage(message, wParam, lParam);
}

}  // namespace platform::controls
