// A rectangle's width and height, as the frame and dialogs lay themselves out.
#pragma once

#include <windows.h>

inline int Width(const RECT& rect) {
    return rect.right - rect.left;
}

inline int Height(const RECT& rect) {
    return rect.bottom - rect.top;
}
