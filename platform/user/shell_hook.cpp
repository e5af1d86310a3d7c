#include "user/shell_hook.h"

#include <mutex>

namespace platform::user {

namespace {

// Its own lock, not the window manager's: the observer posts, and posting takes that one.
std::mutex observerMutex;
ShellObserver currentObserver;

}  // namespace

void SetShellObserver(ShellObserver observer) {
    std::scoped_lock lock(observerMutex);
    currentObserver = std::move(observer);
}

void NotifyShell(ShellEvent event, HWND window) {
    ShellObserver observer;
    {
        std::scoped_lock lock(observerMutex);
        observer = currentObserver;
    }
    if (observer) {
        observer(event, window);
    }
}

}  // namespace platform::user
