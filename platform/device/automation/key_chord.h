// A key with its modifiers as a script names it: "Tab", "Ctrl+N", "Shift+F6",
// "Ctrl+Alt+Delete". Names are case-insensitive; docs/automation.md lists them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::device::automation {

struct KeyChord {
    std::vector<UINT> modifiers;  // virtual keys, pressed in this order
    UINT key = 0;
};

// Nothing, with the reason in `error`, for a name no key has.
std::optional<KeyChord> ParseKeyChord(std::string_view text, std::string& error);

}  // namespace platform::device::automation
