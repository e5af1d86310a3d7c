#include "controls/focus_rectangle.h"

namespace platform::controls {

void DrawFocusRectangle(HDC dc, const RECT& rect) {
    if (rect.right - rect.left < 2 || rect.bottom - rect.top < 2) {
        return;
    }
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    for (LONG x = rect.left; x < rect.right; x += 2) {
        SetPixel(dc, x, rect.top, ink);
        SetPixel(dc, x, rect.bottom - 1, ink);
    }
    for (LONG y = rect.top; y < rect.bottom; y += 2) {
        SetPixel(dc, rect.left, y, ink);
        SetPixel(dc, rect.right - 1, y, ink);
    }
}

}  // namespace platform::controls
