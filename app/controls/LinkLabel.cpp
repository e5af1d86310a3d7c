#include "controls/LinkLabel.h"

#include <vector>

#include "controls/PaintSession.h"

namespace {

constexpr COLORREF kBackgroundColour = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kLinkColour = RGB(0, 0, 0xFF);
constexpr COLORREF kDisabledLinkColour = RGB(0xC0, 0xC0, 0xC0);

// The platform's default face, 15 units high, medium weight, italic and underlined.
LOGFONTW LinkFont() {
    LOGFONTW font{};
    font.lfHeight = 15;
    font.lfWeight = FW_MEDIUM;
    font.lfItalic = 1;
    font.lfUnderline = 1;
    return font;
}

}  // namespace

LRESULT LinkLabel::OnPaint(WPARAM, LPARAM) {
    const HWND hwnd = Handle();
    const PaintSession paint(hwnd);
    const HDC dc = paint.Dc();
    RECT client = paint.Client();
    // Read at every paint, so the link always shows the static's current text.
    std::vector<WCHAR> text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1);
    GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));

    const HBRUSH background = CreateSolidBrush(kBackgroundColour);
    const LOGFONTW logFont = LinkFont();
    const HFONT font = CreateFontIndirectW(&logFont);
    const HGDIOBJ previousFont = SelectObject(dc, font);
    FillRect(dc, &client, background);
    SetTextColor(dc, IsWindowEnabled(hwnd) ? kLinkColour : kDisabledLinkColour);
    // Without DT_SINGLELINE the text centres across but starts at the top; the
    // background mode stays the device context's opaque default, whose white matches
    // the fill.
    DrawTextW(dc, text.data(), -1, &client, DT_CENTER | DT_VCENTER);
    SelectObject(dc, previousFont);
    DeleteObject(font);
    DeleteObject(background);
    return 0;
}

LRESULT LinkLabel::OnLButtonDown(WPARAM, LPARAM) {
    const HWND hwnd = Handle();
    SetCapture(hwnd);
    InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

LRESULT LinkLabel::OnLButtonUp(WPARAM, LPARAM) {
    ReleaseCapture();
    InvalidateRect(Handle(), nullptr, TRUE);
    // Last: the parent may destroy the link while it handles the tap.
    NotifyParent(kTapped);
    return 0;
}
