// The state behind an HDC: where it draws (the screen at an origin, or the bitmap
// selected into a memory context), where it may draw, and the selected objects and
// colours that drawing calls use.
#pragma once

#include "gdi/clip_region.h"

#include <wingdi.h>

#include <cstdint>

namespace platform::gdi {

enum class DcTarget { Screen, Memory };

struct DeviceContext {
    DcTarget target = DcTarget::Memory;
    POINT origin{0, 0};  // the device pixel of logical (0, 0)
    ClipRegion clip;     // device pixels
    std::uintptr_t pen = 0;
    std::uintptr_t brush = 0;
    std::uintptr_t font = 0;
    std::uintptr_t bitmap = 0;  // memory contexts only
    COLORREF text_color = RGB(0, 0, 0);
    COLORREF background_color = RGB(255, 255, 255);
    int background_mode = OPAQUE;
    POINT position{0, 0};  // logical, for MoveToEx and LineTo

    POINT ToDevice(LONG x, LONG y) const { return POINT{x + origin.x, y + origin.y}; }
};

}  // namespace platform::gdi
