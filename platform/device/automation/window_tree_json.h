// The window tree as automation reports it (the dump command, and what until queries):
// an array of top-level windows, topmost first, each
//   {"class", "id", "text", "rect": {"left", "top", "right", "bottom"} (screen pixels),
//    "visible", "enabled", "focus", "style", "exstyle", "content", "children"}.
// "content" is what the window's control reported through the window manager's dump
// message (an empty object for a plain window, and for every window when the content
// is skipped).
#pragma once

#include <nlohmann/json.hpp>

#include "user/window_dump.h"

namespace platform::device::automation {

nlohmann::json WindowTreeJson(user::DumpContent content = user::DumpContent::Ask);

}  // namespace platform::device::automation
