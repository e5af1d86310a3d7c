#include "gdi/screen_dc.h"

#include "display/framebuffer.h"
#include "gdi/gdi_state.h"

namespace platform::gdi {

HDC CreateScreenDC(POINT origin, std::vector<RECT> clip) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    DeviceContext context;
    context.target = DcTarget::Screen;
    context.origin = origin;
    for (const RECT& rect : clip) {
        context.clip.Add(rect);
    }
    context.clip =
        context.clip.Intersected(RECT{0, 0, display::Screen().Width(), display::Screen().Height()});
    return reinterpret_cast<HDC>(gdi.AddContext(std::move(context)));
}

bool DeleteScreenDC(HDC hdc) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    DeviceContext* context = gdi.FindContext(hdc);
    if (!context || context->target != DcTarget::Screen) {
        return false;
    }
    gdi.DeleteContext(hdc);
    return true;
}

}  // namespace platform::gdi
