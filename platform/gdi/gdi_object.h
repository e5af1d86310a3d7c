// The objects behind HPEN, HBRUSH, HFONT, HBITMAP and HICON handles, with the
// bookkeeping that DeleteObject needs: an object selected into a device context is
// only marked, and goes when the last context lets go of it.
#pragma once

#include "gdi/bitmap.h"
#include "gdi/font_instance.h"
#include "gdi/icon.h"

#include <wingdi.h>

#include <memory>
#include <variant>

namespace platform::gdi {

struct Pen {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

struct Brush {
    COLORREF color = 0;
    bool hollow = false;
};

struct Font {
    LOGFONTW log_font{};
    std::shared_ptr<FontInstance> instance;
};

struct GdiObject {
    std::variant<Pen, Brush, Font, Bitmap, Icon> value;
    bool stock = false;
    int selected_count = 0;
    bool delete_pending = false;
};

}  // namespace platform::gdi
