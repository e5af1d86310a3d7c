// Dialog units: a template measures in quarters of the dialog font's average character
// width and eighths of its height, so a layout scales with its font as on Windows.
#pragma once

#include <windows.h>

#include "user/dialog/dialog_template.h"

namespace platform::user {

struct DialogBaseUnits {
    int x = 0;
    int y = 0;
};

// The average width of "A".."Z" and "a".."z" in the font, rounded, and the font's
// height from its text metrics; the system font's when the font is null.
DialogBaseUnits MeasureBaseUnits(HFONT font);

// Each coordinate of a rectangle in dialog units to pixels, as MapDialogRect converts.
RECT DialogUnitsToPixels(const DialogBaseUnits& units, const RECT& rect);
// A template's position and size to a rectangle in pixels: origin and size are converted
// separately, so controls of equal size stay equal wherever they are.
RECT TemplateRectToPixels(const DialogBaseUnits& units, const TemplateRect& rect);

}  // namespace platform::user
