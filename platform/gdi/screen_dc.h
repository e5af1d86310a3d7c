// Device contexts on the screen, for the window manager: BeginPaint and GetDC make
// one per paint with the window's client origin and the visible part it may paint.
#pragma once

#include <windows.h>

#include <vector>

namespace platform::gdi {

// A context whose logical (0, 0) is `origin` in screen pixels and whose output is
// clipped to the union of `clip` (screen pixels).
HDC CreateScreenDC(POINT origin, std::vector<RECT> clip);
// Returns false when `hdc` is not a live screen context.
bool DeleteScreenDC(HDC hdc);

}  // namespace platform::gdi
