#include "display/display.h"

#include "display/headless_display.h"
#include "display/sdl_library.h"
#include "display/sdl_window_display.h"
#include "display/web_display.h"

#include <cstdlib>

namespace platform::display {

std::optional<DisplayKind> ParseDisplayKind(std::string_view name) {
    if (name == "headless") {
        return DisplayKind::Headless;
    }
    if (name == "window") {
        return DisplayKind::Window;
    }
    if (name == "web") {
        return DisplayKind::Web;
    }
    return std::nullopt;
}

std::unique_ptr<Display> CreateDisplay(DisplayKind kind, DisplayOptions options) {
    if (kind == DisplayKind::Window) {
        return std::make_unique<SdlWindowDisplay>(std::move(options));
    }
    if (kind == DisplayKind::Web) {
        return std::make_unique<WebDisplay>(std::move(options));
    }
    return std::make_unique<HeadlessDisplay>();
}

bool DesktopDisplayAvailable() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((!x11 || !*x11) && (!wayland || !*wayland)) {
        return false;
    }
    std::string error;
    const SdlLibrary* sdl = SdlLibrary::Load(error);
    if (!sdl || sdl->SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return false;
    }
    sdl->SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return true;
}

}  // namespace platform::display
