// What a browser sends back: a JSON array of the user's actions, in order.
//
//   [{"type": "down", "x": 12, "y": 40}, {"type": "move", ...}, {"type": "up", ...},
//    {"type": "key", "key": "Enter", "down": true}, {"type": "text", "text": "é"}]
//
// Stylus points are screen pixels. Keys carry the browser's key names (KeyboardEvent.key
// for the keys the handheld has: letters, digits, F1..F12, Enter, Tab, Escape, Backspace,
// Delete, Insert, Home, End, PageUp, PageDown, the arrows, " ", Shift, Control, Alt);
// text carries characters that no key types. A batch is taken whole or, when any part
// of it is malformed, not at all.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "display/display.h"

namespace platform::display {

struct StylusInput {
    StylusAction action = StylusAction::Down;
    int x = 0;
    int y = 0;
};

struct KeyInput {
    UINT virtualKey = 0;
    bool down = false;
};

struct CharacterInput {
    char16_t character = 0;
};

using WebInput = std::variant<StylusInput, KeyInput, CharacterInput>;

struct DecodedWebInput {
    std::vector<WebInput> inputs;
    std::string error;  // empty when the batch is well formed
};

DecodedWebInput DecodeWebInput(std::string_view body, int screenWidth, int screenHeight);

// The virtual-key code of a browser key name; 0 for a key the handheld lacks.
UINT VirtualKeyOfBrowserKey(std::string_view name);

// Hands one input to the display's callbacks (the empty ones drop it).
void Deliver(const WebInput& input, const DisplayInput& callbacks);

}  // namespace platform::display
