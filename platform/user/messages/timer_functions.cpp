// SetTimer and KillTimer. A timer belongs to the queue of its window's thread (or of the
// calling thread for a timer without a window); WM_TIMER is made when that queue is
// otherwise empty and the timer is due, so at most one is ever pending per timer.
#include <windows.h>
#include <winuser.h>

#include <algorithm>

#include "user/window_manager.h"

using platform::user::WindowManager;

namespace {

// Windows raises intervals below this to it.
constexpr UINT kMinimumInterval = 10;

}  // namespace

extern "C" UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse,
                                    TIMERPROC lpTimerFunc) {
    auto lock = WindowManager::Instance().Lock();
    std::shared_ptr<platform::user::MessageQueue> queue;
    if (hWnd) {
        const auto window = platform::user::FindOrFail(hWnd);
        if (!window) {
            return 0;
        }
        queue = window->queue;
        if (queue != platform::user::CurrentQueue()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return 0;
        }
    } else {
        queue = platform::user::CurrentQueue();
        // A thread timer gets an id of its own, unlike any the thread already uses.
        nIDEvent = 1;
        for (const auto& timer : queue->timers) {
            if (!timer.window) {
                nIDEvent = std::max(nIDEvent, timer.id + 1);
            }
        }
    }
    const auto interval = std::chrono::milliseconds(std::max(uElapse, kMinimumInterval));
    auto& timers = queue->timers;
    std::erase_if(timers, [&](const auto& t) { return t.window == hWnd && t.id == nIDEvent; });
    timers.push_back(
        {hWnd, nIDEvent, interval, std::chrono::steady_clock::now() + interval, lpTimerFunc});
    queue->wake.notify_all();
    return nIDEvent == 0 ? 1 : nIDEvent;
}

extern "C" BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
    auto lock = WindowManager::Instance().Lock();
    std::shared_ptr<platform::user::MessageQueue> queue;
    if (hWnd) {
        const auto window = platform::user::FindOrFail(hWnd);
        if (!window) {
            return FALSE;
        }
        queue = window->queue;
    } else {
        queue = platform::user::CurrentQueue();
    }
    const auto removed = std::erase_if(
        queue->timers, [&](const auto& t) { return t.window == hWnd && t.id == uIDEvent; });
    if (removed == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}
