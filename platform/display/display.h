// The screen's presenters. The launcher picks one by name, starts it, lets it run on its
// own thread while the program runs, and stops it; input from it reaches the window
// manager through the callbacks the launcher gives (the launcher connects them to
// platform::user's input sink, which this library does not depend on).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "display/web_listen_address.h"

namespace platform::display {

enum class DisplayKind { Headless, Window, Web };

// "headless", "window" or "web"; nothing for any other name.
std::optional<DisplayKind> ParseDisplayKind(std::string_view name);

enum class StylusAction { Down, Move, Up };

// Each callback may be empty; they are called on the display's thread.
struct DisplayInput {
    std::function<void(StylusAction action, int x, int y)> stylus;  // screen pixels
    std::function<void(UINT virtual_key, bool down)> key;
    std::function<void(char16_t character)> character;  // only what no key types
    std::function<void()> quit_requested;               // the user closed the window
};

struct DisplayOptions {
    int scale = 2;  // window pixels per screen pixel
    DisplayInput input;
    ListenAddress listen;  // where the web display serves the screen
    // Where the web display prints its address and what it refuses; null: standard error.
    std::ostream* messages = nullptr;
};

class Display {
  public:
    virtual ~Display() = default;
    // Starts presenting; false, with the reason in `error`, when it cannot.
    virtual bool Start(std::string& error) = 0;
    // Stops presenting and waits for the display's thread; calling it again does nothing.
    virtual void Stop() = 0;
};

std::unique_ptr<Display> CreateDisplay(DisplayKind kind, DisplayOptions options);

// Whether a desktop session is there to show a window in: DISPLAY or WAYLAND_DISPLAY is
// set, SDL2 loads and its video subsystem starts.
bool DesktopDisplayAvailable();

}  // namespace platform::display
