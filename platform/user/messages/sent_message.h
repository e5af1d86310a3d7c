// A message sent from one thread to a window of another: the sender waits until the
// receiving thread has handled it and set `done`. Guarded by the window manager's lock.
#pragma once

#include <windows.h>
#include <winuser.h>

#include <functional>
#include <memory>

namespace platform::user {

class MessageQueue;

struct SentMessage {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    // When set, the receiving thread runs this instead of the window procedure: work
    // that must happen on the window's own thread, asked for by a thread that has none.
    std::function<LRESULT()> task;
    LRESULT result = 0;
    bool done = false;
    // Woken when the message is done; alive as long as the sender waits.
    std::shared_ptr<MessageQueue> sender;
};

}  // namespace platform::user
