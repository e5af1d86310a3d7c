// A message sent from one thread to a window of another: the sender waits until the
// receiving thread has handled it and set `done`. Guarded by the window manager's lock.
#pragma once

#include <windows.h>
#include <winuser.h>

#include <memory>

namespace platform::user {

class MessageQueue;

struct SentMessage {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    bool done = false;
    // Woken when the message is done; alive as long as the sender waits.
    std::shared_ptr<MessageQueue> sender;
};

}  // namespace platform::user
