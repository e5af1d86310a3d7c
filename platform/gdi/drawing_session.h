// One drawing call's access to a device context's pixels. For the screen it holds the
// framebuffer's lock for the call and reports the changed area when it ends; for a
// memory context it draws into the selected bitmap.
#pragma once

#include "gdi/canvas.h"
#include "gdi/device_context.h"
#include "gdi/gdi_state.h"

#include <mutex>
#include <optional>

namespace platform::gdi {

class DrawingSession {
  public:
    // `limit`, in device pixels, narrows the context's clip for this call only.
    DrawingSession(GdiState& gdi, const DeviceContext& context,
                   const std::optional<RECT>& limit = std::nullopt);
    ~DrawingSession();
    DrawingSession(const DrawingSession&) = delete;
    DrawingSession& operator=(const DrawingSession&) = delete;

    Canvas& canvas() { return *canvas_; }

  private:
    std::unique_lock<std::mutex> screen_lock_;
    std::optional<Canvas> canvas_;
};

// The pixels a context draws on (the screen's, or its bitmap's); the caller holds the
// screen lock when the context draws on the screen.
PixelSurface TargetSurface(GdiState& gdi, const DeviceContext& context);

}  // namespace platform::gdi
