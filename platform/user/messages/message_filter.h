// The window and message-range filter of GetMessageW and PeekMessageW.
#pragma once

#include <windows.h>
#include <winuser.h>

namespace platform::user {

struct Window;

struct MessageFilter {
    // Null: every message of the thread; (HWND)-1: only thread messages; otherwise the
    // window and its descendants.
    HWND window = nullptr;
    UINT first = 0;
    UINT last = 0;

    // Needs the window manager's lock.
    bool Matches(HWND target, UINT message) const;
    bool AcceptsMessage(UINT message) const {
        return (first == 0 && last == 0) || (message >= first && message <= last);
    }
};

}  // namespace platform::user
