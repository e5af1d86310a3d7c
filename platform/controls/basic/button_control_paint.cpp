// How each kind of button draws itself in the Pocket PC look.
#include <algorithm>

#include "controls/basic/button_control.h"
#include "controls/control_parent.h"
#include "controls/focus_rectangle.h"
#include "gdi/pocket_pc_painter.h"

namespace platform::controls {

using gdi::PocketPcPainter;

namespace {

// The check box square the painter draws at the left, and the gap before the text.
constexpr int kCheckBoxSize = 13;
constexpr int kCheckBoxGap = 4;
// Where a group box's caption starts, and the blank kept either side of it.
constexpr int kCaptionIndent = 6;
constexpr int kCaptionPadding = 2;

// The rectangle `text` takes when drawn with `format` inside `area`.
RECT TextBounds(HDC dc, const std::u16string& text, const RECT& area, UINT format) {
    RECT bounds = area;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds, format | DT_CALCRECT);
    return bounds;
}

}  // namespace

std::u16string ButtonControl::Text() const {
    const int length = GetWindowTextLengthW(hwnd_);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd_, text.data(), length + 1)));
    return text;
}

void ButtonControl::Paint(HDC dc, const RECT& client) {
    switch (ButtonKind()) {
        case Kind::CheckBox:
        case Kind::AutoCheckBox:
            PaintCheckBox(dc, client);
            break;
        case Kind::GroupBox:
            PaintGroupBox(dc, client);
            break;
        default:
            PaintPushButton(dc, client);
            break;
    }
}

void ButtonControl::PaintPushButton(HDC dc, const RECT& client) const {
    // The parent may set colours, but a push button keeps the system's face and text
    // colours so that pressed and disabled buttons read the same everywhere.
    ParentBrush(hwnd_, WM_CTLCOLORBTN, dc);
    PocketPcPainter::DrawPushButton(dc, client, pushed_);
    if (ButtonKind() == Kind::DefaultPushButton) {
        // The default button's frame is two pixels thick.
        PocketPcPainter::DrawFrame(
            dc, RECT{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1},
            GetSysColor(COLOR_WINDOWFRAME));
    }
    const bool enabled = IsWindowEnabled(hwnd_) != FALSE;
    SetTextColor(dc, GetSysColor(pushed_   ? COLOR_HIGHLIGHTTEXT
                                 : enabled ? COLOR_BTNTEXT
                                           : COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);
    const std::u16string text = Text();
    RECT area = client;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (focused_) {
        DrawFocusRectangle(
            dc, RECT{client.left + 3, client.top + 3, client.right - 3, client.bottom - 3});
    }
}

void ButtonControl::PaintCheckBox(HDC dc, const RECT& client) const {
    FillRect(dc, &client, ParentBrush(hwnd_, WM_CTLCOLORSTATIC, dc));
    const bool enabled = IsWindowEnabled(hwnd_) != FALSE;
    PocketPcPainter::DrawCheckBox(dc, client, check_ == BST_CHECKED, enabled);
    if (pushed_) {
        // While pressed the box shows a second frame, so the tap is seen before the
        // release toggles the mark.
        const int top = client.top + (client.bottom - client.top - kCheckBoxSize) / 2;
        PocketPcPainter::DrawFrame(dc,
                                   RECT{client.left + 1, top + 1, client.left + kCheckBoxSize - 1,
                                        top + kCheckBoxSize - 1},
                                   GetSysColor(COLOR_WINDOWFRAME));
    }
    if (!enabled) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    SetBkMode(dc, TRANSPARENT);
    const std::u16string text = Text();
    const UINT format = (GetWindowLongW(hwnd_, GWL_STYLE) & BS_MULTILINE)
                            ? DT_WORDBREAK | DT_VCENTER
                            : DT_SINGLELINE | DT_VCENTER;
    RECT area{client.left + kCheckBoxSize + kCheckBoxGap, client.top, client.right, client.bottom};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
    if (focused_ && !text.empty()) {
        RECT bounds = TextBounds(dc, text, area, format);
        // DT_CALCRECT keeps the top; centre the frame on the line as the text is.
        const LONG height = bounds.bottom - bounds.top;
        bounds.top = area.top + (area.bottom - area.top - height) / 2;
        bounds.bottom = bounds.top + height;
        DrawFocusRectangle(dc, RECT{bounds.left - 1, bounds.top,
                                    std::min(bounds.right + 1, area.right), bounds.bottom});
    }
}

void ButtonControl::PaintGroupBox(HDC dc, const RECT& client) const {
    // Only the frame and caption are drawn: the controls inside show through.
    const HBRUSH background = ParentBrush(hwnd_, WM_CTLCOLORSTATIC, dc);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const LONG frameTop = client.top + metrics.tmHeight / 2;
    PocketPcPainter::DrawFrame(dc, RECT{client.left, frameTop, client.right, client.bottom},
                               GetSysColor(COLOR_BTNSHADOW));
    const std::u16string text = Text();
    if (text.empty()) {
        return;
    }
    const UINT format = DT_SINGLELINE | DT_TOP | DT_LEFT;
    RECT area{client.left + kCaptionIndent + kCaptionPadding, client.top,
              client.right - kCaptionIndent, client.top + metrics.tmHeight};
    const RECT bounds = TextBounds(dc, text, area, format);
    const RECT gap{bounds.left - kCaptionPadding, client.top,
                   std::min(bounds.right + kCaptionPadding, area.right), area.bottom};
    FillRect(dc, &gap, background);
    if (!IsWindowEnabled(hwnd_)) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
}

}  // namespace platform::controls
