// A read of the whole window tree for automation (the device's dump command).
//
// The tree is copied under the window manager's lock. Then each window is asked for its
// content with kDumpContentMessage, sent like any message (so a window of another thread
// answers on its own thread): wParam is 0, lParam points to the window's
// nlohmann::json `content`, an empty object that a control fills with what it shows
// (rows, items, selection) and then returns 1. DefWindowProc leaves it empty and
// returns 0, so a window that knows nothing of the message adds nothing.
#pragma once

#include <windows.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace platform::user {

// Outside the system's range of messages that programs use; never posted.
inline constexpr UINT kDumpContentMessage = 0x03F0;

struct WindowSnapshot {
    HWND handle = nullptr;
    std::u16string className;
    int id = 0;
    std::u16string text;
    RECT screenRect{};
    bool visible = false;
    bool enabled = false;
    bool focused = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    nlohmann::json content = nlohmann::json::object();
    std::vector<WindowSnapshot> children;
};

// Whether each window is asked for its content. Asking is a message to the window's
// thread for every window; a read of places, classes and states alone needs none.
enum class DumpContent { Ask, Skip };

// Every top-level window, topmost first, each with its children in z-order.
std::vector<WindowSnapshot> SnapshotWindowTree(DumpContent content = DumpContent::Ask);

}  // namespace platform::user
