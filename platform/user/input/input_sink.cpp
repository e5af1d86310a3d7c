#include "user/input/input_sink.h"

#include <winuser.h>

#include "user/window_manager.h"
#include "user/window_tree.h"

namespace platform::user {

namespace {

UINT StylusMessage(StylusAction action) {
    switch (action) {
        case StylusAction::Down:
            return WM_LBUTTONDOWN;
        case StylusAction::Move:
            return WM_MOUSEMOVE;
        case StylusAction::Up:
            return WM_LBUTTONUP;
    }
    return WM_MOUSEMOVE;
}

void SetAsyncKey(std::array<BYTE, 256>& state, UINT key, bool down) {
    state[key & 0xFF] = down ? 0x80 : 0;
}

// The window that takes keys. Needs the lock.
std::shared_ptr<Window> KeyboardTarget() {
    auto& manager = WindowManager::Instance();
    if (auto focus = manager.Find(manager.focus)) {
        return focus;
    }
    return manager.Find(manager.active);
}

void PostInput(Window& target, UINT message, WPARAM wParam, LPARAM lParam) {
    if (target.queue->alive) {
        Post(*target.queue, MakeMessage(target.handle, message, wParam, lParam), true);
    }
}

}  // namespace

void PostStylus(StylusAction action, int x, int y) {
    auto& manager = WindowManager::Instance();
    auto lock = manager.Lock();
    manager.stylusPosition = POINT{x, y};
    SetAsyncKey(manager.asyncKeyState, VK_LBUTTON, action != StylusAction::Up);
    std::shared_ptr<Window> target = manager.Find(manager.capture);
    if (!target) {
        Window* under = WindowAtPoint(POINT{x, y});
        target = under ? manager.Find(under->handle) : nullptr;
    }
    if (!target) {
        return;
    }
    const POINT origin = ClientOrigin(*target);
    const WPARAM buttons = action == StylusAction::Up ? 0 : MK_LBUTTON;
    PostInput(*target, StylusMessage(action), buttons, MAKELPARAM(x - origin.x, y - origin.y));
}

void PostKey(UINT virtualKey, bool down) {
    auto& manager = WindowManager::Instance();
    auto lock = manager.Lock();
    SetAsyncKey(manager.asyncKeyState, virtualKey, down);
    const auto target = KeyboardTarget();
    if (!target) {
        return;
    }
    const bool alt = manager.asyncKeyState[VK_MENU] & 0x80;
    const UINT message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    // lParam: a repeat count of 1, and for a release the previous-state and transition bits.
    const LPARAM lParam = down ? 1 : static_cast<LPARAM>(0xC0000001u);
    PostInput(*target, message, virtualKey, lParam);
}

void PostChar(char16_t character) {
    auto lock = WindowManager::Instance().Lock();
    if (const auto target = KeyboardTarget()) {
        PostInput(*target, WM_CHAR, character, 1);
    }
}

}  // namespace platform::user
