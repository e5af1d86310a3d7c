// The process's window manager: one lock over the window tree, the classes, the queues
// and the input state. Nothing here calls a window procedure; callers take what they need
// under the lock, release it, and only then send messages.
#pragma once

#include <windows.h>
#include <winuser.h>

#include <array>
#include <map>
#include <memory>
#include <mutex>

#include "kernel/objects/handle_table.h"
#include "user/messages/message_queue.h"
#include "user/window.h"
#include "user/window_class.h"

namespace platform::user {

class WindowManager {
  public:
    static WindowManager& Instance();

    [[nodiscard]] std::unique_lock<std::mutex> Lock() { return std::unique_lock(mutex_); }

    // Everything below needs the lock.

    // The live window behind a handle, or null (stale, forged, or already destroyed).
    std::shared_ptr<Window> Find(HWND handle) const;
    // Null when every window slot is taken.
    HWND Insert(std::shared_ptr<Window> window);
    void Erase(HWND handle);
    Window& Desktop() { return *desktop_; }
    ClassRegistry& Classes() { return classes_; }

    std::map<DWORD, std::shared_ptr<MessageQueue>>& Queues() { return queues_; }

    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    // Per virtual key as input arrives, for GetAsyncKeyState.
    std::array<BYTE, 256> asyncKeyState{};
    POINT stylusPosition{};

  private:
    WindowManager();

    std::mutex mutex_;
    kernel::HandleTable<std::shared_ptr<Window>, HWND> windows_{0x55};
    std::shared_ptr<Window> desktop_;
    ClassRegistry classes_;
    std::map<DWORD, std::shared_ptr<MessageQueue>> queues_;
};

// Finds a window and sets ERROR_INVALID_WINDOW_HANDLE when there is none. Needs the lock.
std::shared_ptr<Window> FindOrFail(HWND handle);

}  // namespace platform::user
