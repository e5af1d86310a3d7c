// One window's state. Every field is guarded by the window manager's lock; window
// procedures are called only after the lock is released.
#pragma once

#include <windows.h>
#include <winuser.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "user/paint/region.h"
#include "user/window_class.h"

namespace platform::user {

class MessageQueue;

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> windowClass;
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    // GWLP_ID: a child's control id; for a top-level window, the menu handle it was made with.
    LONG_PTR id = 0;
    HINSTANCE instance = nullptr;
    LONG_PTR userData = 0;
    std::vector<std::uint8_t> extraBytes;
    // The text DefWindowProc keeps for WM_SETTEXT and WM_GETTEXT.
    std::u16string text;

    // The window's rectangle in its parent's client coordinates (screen coordinates for a
    // top-level window, whose parent is the desktop).
    RECT rect{};
    Window* parent = nullptr;
    HWND owner = nullptr;
    // Z-order, topmost first.
    std::vector<std::shared_ptr<Window>> children;
    // The queue of the thread that created the window; its messages are handled there.
    std::shared_ptr<MessageQueue> queue;

    // What needs painting, in client coordinates; WM_PAINT is made while it is not empty.
    Region update;
    bool eraseNeeded = false;
    bool frameNeedsPaint = false;

    bool destroying = false;
    bool destroyed = false;
};

}  // namespace platform::user
