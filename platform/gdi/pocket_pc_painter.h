// The Pocket PC look in one place: the colours and shapes of borders, buttons, check
// boxes and drop-down arrows, for the controls to call from their paint handlers. It
// draws through the public GDI calls on the control's device context, so clipping and
// origin are the context's, and it keeps the context's state as it found it.
#pragma once

#include <windows.h>

namespace platform::gdi {

enum class EdgeStyle { Raised, Sunken };

class PocketPcPainter {
  public:
    // A one-pixel frame just inside `rect`.
    static void DrawFrame(HDC dc, const RECT& rect, COLORREF color);
    // The classic two-pixel 3-D edge; returns the rectangle inside it.
    static RECT DrawEdge(HDC dc, const RECT& rect, EdgeStyle style);
    // A push button: black frame, grey face, inverted while pressed.
    static void DrawPushButton(HDC dc, const RECT& rect, bool pressed);
    // A check box square (13 x 13 at the rectangle's left, centred vertically).
    static void DrawCheckBox(HDC dc, const RECT& rect, bool checked, bool enabled);
    // The combo box's drop-down button: a face and the down arrow from Marlett.
    static void DrawDropDownButton(HDC dc, const RECT& rect, bool pressed, bool enabled);
    // A menu item's check mark, centred in `rect`.
    static void DrawCheckMark(HDC dc, const RECT& rect, COLORREF color);
    static void FillSolid(HDC dc, const RECT& rect, COLORREF color);

  private:
    static void DrawMarlettGlyph(HDC dc, const RECT& rect, char16_t glyph, COLORREF color);
};

}  // namespace platform::gdi
