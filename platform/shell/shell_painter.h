// How the shell's bars and the input panel look, in the Pocket PC 2003 style: a dark blue
// navigation bar with white text, a grey menu bar, light keys on a grey panel. Like the
// controls' painter it draws through the public GDI calls and leaves the context's state
// as it found it.
#pragma once

#include <windows.h>

#include <string_view>

namespace platform::shell {

class ShellPainter {
  public:
    static COLORREF NavigationBarColor();

    static void FillNavigationBar(HDC dc, const RECT& rect);
    // A diamond of white lines, the shell's start glyph.
    static void DrawStartGlyph(HDC dc, const RECT& rect);
    // The navigation bar's "ok" button: a white outline, filled white while pressed.
    static void DrawOkButton(HDC dc, const RECT& rect, bool pressed);

    static void FillMenuBar(HDC dc, const RECT& rect);
    // A menu bar button's face: the bar's grey, or the highlight while pressed.
    static void DrawBarButtonFace(HDC dc, const RECT& rect, bool pressed);
    // The input panel button's picture: a small keyboard.
    static void DrawKeyboardGlyph(HDC dc, const RECT& rect, COLORREF color);

    // One key of the input panel; `lit` for a key held down or a latched shift.
    static void DrawKey(HDC dc, const RECT& rect, std::u16string_view label, bool lit);

    // Text centred vertically in `rect` with `format`'s horizontal alignment.
    static void DrawLabel(HDC dc, const RECT& rect, std::u16string_view text, COLORREF color,
                          HFONT font, UINT format);
};

}  // namespace platform::shell
