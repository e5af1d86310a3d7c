// The search behind FindWindowW, shared by this process's own callers and the requests
// other processes send it.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "user/window_class.h"

namespace platform::user {

// The topmost top-level window of the class (any, when null) whose title matches (any,
// when none; letter case ignored), or null. Needs the lock.
HWND FindTopLevelWindow(const std::shared_ptr<WindowClass>& windowClass,
                        const std::optional<std::u16string>& title);

}  // namespace platform::user
