// Painting helpers shared by the paint functions and DefWindowProc.
#pragma once

#include <windows.h>

namespace platform::user {

// Draws a window's one-pixel border (WM_NCPAINT's default) in the window-frame colour.
void PaintBorder(HWND hwnd);

}  // namespace platform::user
