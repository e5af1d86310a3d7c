// The dotted rectangle that marks the control holding the keyboard focus.
#pragma once

#include <windows.h>

namespace platform::controls {

// Every other pixel of a one-pixel frame just inside `rect`, in the text colour.
void DrawFocusRectangle(HDC dc, const RECT& rect);

}  // namespace platform::controls
