#include "gdi/pocket_pc_painter.h"

#include <algorithm>

namespace platform::gdi {

namespace {

constexpr int kCheckBoxSize = 13;
// Marlett's glyphs: 'a' is the check mark, 'u' the down-pointing triangle.
constexpr char16_t kCheckGlyph = u'a';
constexpr char16_t kDownArrowGlyph = u'u';

}  // namespace

void PocketPcPainter::FillSolid(HDC dc, const RECT& rect, COLORREF color) {
    const COLORREF previous = SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

void PocketPcPainter::DrawFrame(HDC dc, const RECT& rect, COLORREF color) {
    FillSolid(dc, RECT{rect.left, rect.top, rect.right, rect.top + 1}, color);
    FillSolid(dc, RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, color);
    FillSolid(dc, RECT{rect.left, rect.top, rect.left + 1, rect.bottom}, color);
    FillSolid(dc, RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, color);
}

RECT PocketPcPainter::DrawEdge(HDC dc, const RECT& rect, EdgeStyle style) {
    const bool raised = style == EdgeStyle::Raised;
    // Outer ring first, then the inner one: light comes from the top left.
    const COLORREF outer_light = GetSysColor(raised ? COLOR_3DLIGHT : COLOR_BTNSHADOW);
    const COLORREF outer_dark = GetSysColor(raised ? COLOR_3DDKSHADOW : COLOR_BTNHIGHLIGHT);
    const COLORREF inner_light = GetSysColor(raised ? COLOR_BTNHIGHLIGHT : COLOR_3DDKSHADOW);
    const COLORREF inner_dark = GetSysColor(raised ? COLOR_BTNSHADOW : COLOR_3DLIGHT);
    RECT ring = rect;
    for (const auto& [light, dark] :
         {std::pair{outer_light, outer_dark}, std::pair{inner_light, inner_dark}}) {
        FillSolid(dc, RECT{ring.left, ring.top, ring.right - 1, ring.top + 1}, light);
        FillSolid(dc, RECT{ring.left, ring.top, ring.left + 1, ring.bottom - 1}, light);
        FillSolid(dc, RECT{ring.left, ring.bottom - 1, ring.right, ring.bottom}, dark);
        FillSolid(dc, RECT{ring.right - 1, ring.top, ring.right, ring.bottom}, dark);
        ring = RECT{ring.left + 1, ring.top + 1, ring.right - 1, ring.bottom - 1};
    }
    return ring;
}

void PocketPcPainter::DrawPushButton(HDC dc, const RECT& rect, bool pressed) {
    DrawFrame(dc, rect, GetSysColor(COLOR_WINDOWFRAME));
    FillSolid(dc, RECT{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1},
              GetSysColor(pressed ? COLOR_WINDOWFRAME : COLOR_BTNFACE));
}

void PocketPcPainter::DrawCheckBox(HDC dc, const RECT& rect, bool checked, bool enabled) {
    const int top = rect.top + (rect.bottom - rect.top - kCheckBoxSize) / 2;
    const RECT box{rect.left, top, rect.left + kCheckBoxSize, top + kCheckBoxSize};
    const COLORREF ink = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    DrawFrame(dc, box, ink);
    FillSolid(dc, RECT{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1},
              GetSysColor(COLOR_WINDOW));
    if (checked) {
        DrawMarlettGlyph(dc, box, kCheckGlyph, ink);
    }
}

void PocketPcPainter::DrawDropDownButton(HDC dc, const RECT& rect, bool pressed, bool enabled) {
    DrawPushButton(dc, rect, pressed);
    const COLORREF arrow = GetSysColor(pressed   ? COLOR_HIGHLIGHTTEXT
                                       : enabled ? COLOR_BTNTEXT
                                                 : COLOR_GRAYTEXT);
    DrawMarlettGlyph(dc, rect, kDownArrowGlyph, arrow);
}

void PocketPcPainter::DrawCheckMark(HDC dc, const RECT& rect, COLORREF color) {
    DrawMarlettGlyph(dc, rect, kCheckGlyph, color);
}

void PocketPcPainter::DrawMarlettGlyph(HDC dc, const RECT& rect, char16_t glyph, COLORREF color) {
    const int size =
        std::max<LONG>(std::min(rect.right - rect.left, rect.bottom - rect.top) - 2, 1);
    HFONT font =
        CreateFontW(-size, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, u"Marlett");
    if (!font) {
        return;  // no Marlett face: the box or button shows without its glyph
    }
    HGDIOBJ previous_font = SelectObject(dc, font);
    const COLORREF previous_color = SetTextColor(dc, color);
    const int previous_mode = SetBkMode(dc, TRANSPARENT);
    RECT area = rect;
    DrawTextW(dc, &glyph, 1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetBkMode(dc, previous_mode);
    SetTextColor(dc, previous_color);
    SelectObject(dc, previous_font);
    DeleteObject(font);
}

}  // namespace platform::gdi
