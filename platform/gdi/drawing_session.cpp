#include "gdi/drawing_session.h"

#include "display/framebuffer.h"
#include "gdi/rect_math.h"

namespace platform::gdi {

PixelSurface TargetSurface(GdiState& gdi, const DeviceContext& context) {
    if (context.target == DcTarget::Screen) {
        display::Framebuffer& screen = display::Screen();
        return PixelSurface{screen.Pixels(), screen.Width(), screen.Height()};
    }
    Bitmap* bitmap = gdi.Find<Bitmap>(reinterpret_cast<const void*>(context.bitmap));
    return bitmap ? bitmap->Surface() : PixelSurface{};
}

DrawingSession::DrawingSession(GdiState& gdi, const DeviceContext& context,
                               const std::optional<RECT>& limit) {
    if (context.target == DcTarget::Screen) {
        screen_lock_ = display::Screen().Lock();
    }
    canvas_.emplace(TargetSurface(gdi, context),
                    limit ? context.clip.Intersected(*limit) : context.clip);
}

DrawingSession::~DrawingSession() {
    if (screen_lock_.owns_lock() && !IsEmptyRect(canvas_->Touched())) {
        display::Screen().MarkDirty(canvas_->Touched());
    }
}

}  // namespace platform::gdi
