// COLORREF is 0x00BBGGRR; surface pixels are 0x00RRGGBB.
#pragma once

#include <windows.h>

#include <cstdint>

namespace platform::gdi {

inline std::uint32_t ToPixel(COLORREF color) {
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

inline COLORREF ToColorref(std::uint32_t pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

}  // namespace platform::gdi
