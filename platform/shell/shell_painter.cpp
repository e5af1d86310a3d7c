#include "shell/shell_painter.h"

#include <array>

#include "gdi/pocket_pc_painter.h"

namespace platform::shell {

namespace {

using gdi::PocketPcPainter;

constexpr COLORREF kNavigationBlue = RGB(16, 60, 156);
constexpr COLORREF kWhite = RGB(255, 255, 255);

void DrawLines(HDC dc, const POINT* points, int count, COLORREF color) {
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ previous = SelectObject(dc, pen);
    Polyline(dc, points, count);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

}  // namespace

COLORREF ShellPainter::NavigationBarColor() {
    return kNavigationBlue;
}

void ShellPainter::FillNavigationBar(HDC dc, const RECT& rect) {
    PocketPcPainter::FillSolid(dc, rect, kNavigationBlue);
}

void ShellPainter::DrawStartGlyph(HDC dc, const RECT& rect) {
    const LONG cx = (rect.left + rect.right) / 2;
    const LONG cy = (rect.top + rect.bottom) / 2;
    constexpr LONG kRadius = 7;
    const std::array<POINT, 5> outer{POINT{cx, cy - kRadius}, POINT{cx + kRadius, cy},
                                     POINT{cx, cy + kRadius}, POINT{cx - kRadius, cy},
                                     POINT{cx, cy - kRadius}};
    DrawLines(dc, outer.data(), static_cast<int>(outer.size()), kWhite);
    PocketPcPainter::FillSolid(dc, RECT{cx - 2, cy - 2, cx + 3, cy + 3}, kWhite);
}

void ShellPainter::DrawOkButton(HDC dc, const RECT& rect, bool pressed) {
    PocketPcPainter::DrawFrame(dc, rect, kWhite);
    const RECT inside{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    PocketPcPainter::FillSolid(dc, inside, pressed ? kWhite : kNavigationBlue);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    DrawLabel(dc, inside, u"ok", pressed ? kNavigationBlue : kWhite, font, DT_CENTER);
}

void ShellPainter::FillMenuBar(HDC dc, const RECT& rect) {
    PocketPcPainter::FillSolid(dc, rect, GetSysColor(COLOR_BTNFACE));
    PocketPcPainter::FillSolid(dc, RECT{rect.left, rect.top, rect.right, rect.top + 1},
                               GetSysColor(COLOR_BTNSHADOW));
}

void ShellPainter::DrawBarButtonFace(HDC dc, const RECT& rect, bool pressed) {
    PocketPcPainter::FillSolid(dc, rect, GetSysColor(pressed ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
}

void ShellPainter::DrawKeyboardGlyph(HDC dc, const RECT& rect, COLORREF color) {
    // A 17 x 11 keyboard: its outline, two rows of keys and a space bar.
    const LONG left = (rect.left + rect.right) / 2 - 8;
    const LONG top = (rect.top + rect.bottom) / 2 - 5;
    PocketPcPainter::DrawFrame(dc, RECT{left, top, left + 17, top + 11}, color);
    for (LONG row = 0; row < 2; ++row) {
        for (LONG key = 0; key < 7; ++key) {
            const LONG x = left + 2 + key * 2;
            const LONG y = top + 2 + row * 2;
            PocketPcPainter::FillSolid(dc, RECT{x, y, x + 1, y + 1}, color);
        }
    }
    PocketPcPainter::FillSolid(dc, RECT{left + 4, top + 7, left + 13, top + 8}, color);
}

void ShellPainter::DrawKey(HDC dc, const RECT& rect, std::u16string_view label, bool lit) {
    PocketPcPainter::DrawFrame(dc, rect, GetSysColor(COLOR_BTNSHADOW));
    const RECT face{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    PocketPcPainter::FillSolid(dc, face, GetSysColor(lit ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    DrawLabel(dc, face, label, GetSysColor(lit ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT), font,
              DT_CENTER);
}

void ShellPainter::DrawLabel(HDC dc, const RECT& rect, std::u16string_view text, COLORREF color,
                             HFONT font, UINT format) {
    HGDIOBJ previousFont = SelectObject(dc, font);
    const COLORREF previousColor = SetTextColor(dc, color);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    RECT area = rect;
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &area,
              format | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetBkMode(dc, previousMode);
    SetTextColor(dc, previousColor);
    SelectObject(dc, previousFont);
}

}  // namespace platform::shell
