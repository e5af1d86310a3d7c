#include "user/window_dump.h"

#include <winuser.h>

#include "user/window_manager.h"
#include "user/window_tree.h"

namespace platform::user {

namespace {

WindowSnapshot Copy(const Window& window, HWND focus) {
    WindowSnapshot snapshot;
    snapshot.handle = window.handle;
    snapshot.className = window.windowClass ? window.windowClass->name : std::u16string{};
    snapshot.id = (window.style & WS_CHILD) ? static_cast<int>(window.id) : 0;
    snapshot.text = window.text;
    snapshot.screenRect = WindowScreenRect(window);
    snapshot.visible = IsShown(window);
    snapshot.enabled = !(window.style & WS_DISABLED);
    snapshot.focused = window.handle == focus;
    snapshot.style = window.style;
    snapshot.exStyle = window.exStyle;
    for (const auto& child : window.children) {
        if (!child->destroying) {
            snapshot.children.push_back(Copy(*child, focus));
        }
    }
    return snapshot;
}

void AskForContent(WindowSnapshot& snapshot) {
    SendMessageW(snapshot.handle, kDumpContentMessage, 0,
                 reinterpret_cast<LPARAM>(&snapshot.content));
    for (auto& child : snapshot.children) {
        AskForContent(child);
    }
}

}  // namespace

std::vector<WindowSnapshot> SnapshotWindowTree(DumpContent content) {
    std::vector<WindowSnapshot> tree;
    {
        auto& manager = WindowManager::Instance();
        auto lock = manager.Lock();
        for (const auto& topLevel : manager.Desktop().children) {
            if (!topLevel->destroying) {
                tree.push_back(Copy(*topLevel, manager.focus));
            }
        }
    }
    if (content == DumpContent::Ask) {
        for (auto& snapshot : tree) {
            AskForContent(snapshot);
        }
    }
    return tree;
}

}  // namespace platform::user
