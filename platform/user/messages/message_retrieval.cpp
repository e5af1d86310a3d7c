#include "user/messages/message_retrieval.h"

#include <algorithm>
#include <optional>

#include "user/paint/update_region.h"
#include "user/window_manager.h"

namespace platform::user {

namespace {

thread_local SentMessage* sendBeingHandled = nullptr;

void UpdateKeyState(MessageQueue& queue, const MSG& msg) {
    const auto press = [&](std::size_t key) {
        const bool wasDown = queue.keyState[key] & 0x80;
        queue.keyState[key] = static_cast<BYTE>(0x80 | ((queue.keyState[key] & 1) ^ !wasDown));
    };
    const auto release = [&](std::size_t key) { queue.keyState[key] &= 0x01; };
    switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            press(msg.wParam & 0xFF);
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            release(msg.wParam & 0xFF);
            break;
        case WM_LBUTTONDOWN:
            press(VK_LBUTTON);
            break;
        case WM_LBUTTONUP:
            release(VK_LBUTTON);
            break;
        default:
            break;
    }
}

bool TakePosted(MessageQueue& queue, const MessageFilter& filter, bool remove, MSG& out) {
    const auto it = std::find_if(queue.posted.begin(), queue.posted.end(), [&](const auto& q) {
        return filter.Matches(q.msg.hwnd, q.msg.message);
    });
    if (it == queue.posted.end()) {
        return false;
    }
    out = it->msg;
    if (remove) {
        if (it->input) {
            UpdateKeyState(queue, it->msg);
        }
        queue.posted.erase(it);
    }
    return true;
}

std::optional<std::chrono::steady_clock::time_point> NextTimerDue(const MessageQueue& queue,
                                                                  const MessageFilter& filter) {
    std::optional<std::chrono::steady_clock::time_point> next;
    for (const auto& timer : queue.timers) {
        if (filter.Matches(timer.window, WM_TIMER) && (!next || timer.due < *next)) {
            next = timer.due;
        }
    }
    return next;
}

bool TakeTimer(MessageQueue& queue, const MessageFilter& filter, bool remove, MSG& out) {
    const auto now = std::chrono::steady_clock::now();
    Timer* earliest = nullptr;
    for (auto& timer : queue.timers) {
        if (timer.due <= now && filter.Matches(timer.window, WM_TIMER) &&
            (!earliest || timer.due < earliest->due)) {
            earliest = &timer;
        }
    }
    if (!earliest) {
        return false;
    }
    out = MakeMessage(earliest->window, WM_TIMER, earliest->id,
                      reinterpret_cast<LPARAM>(earliest->procedure));
    if (remove) {
        earliest->due = now + earliest->interval;
    }
    return true;
}

}  // namespace

void HandleIncomingSends(std::unique_lock<std::mutex>& lock, MessageQueue& queue) {
    while (!queue.incomingSends.empty()) {
        auto send = queue.incomingSends.front();
        queue.incomingSends.pop_front();
        LRESULT result = 0;
        if (auto window = WindowManager::Instance().Find(send->window)) {
            const WNDPROC procedure = window->procedure;
            lock.unlock();
            SentMessage* outer = sendBeingHandled;
            sendBeingHandled = send.get();
            result = send->task
                         ? send->task()
                         : procedure(send->window, send->message, send->wParam, send->lParam);
            sendBeingHandled = outer;
            lock.lock();
        }
        if (!send->done) {
            send->result = result;
            send->done = true;
            send->sender->wake.notify_all();
        }
    }
}

SentMessage* SendBeingHandled() {
    return sendBeingHandled;
}

bool TakeMessage(std::unique_lock<std::mutex>& lock, MessageQueue& queue,
                 const MessageFilter& filter, bool remove, MSG& out) {
    HandleIncomingSends(lock, queue);
    bool found = TakePosted(queue, filter, remove, out);
    if (!found && queue.quitPosted) {
        out = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0);
        queue.quitPosted = !remove;
        found = true;
    }
    if (!found && filter.AcceptsMessage(WM_PAINT)) {
        if (Window* target = FindPaintTarget(queue, filter)) {
            out = MakeMessage(target->handle, WM_PAINT, 0, 0);
            found = true;
        }
    }
    if (!found && filter.AcceptsMessage(WM_TIMER)) {
        found = TakeTimer(queue, filter, remove, out);
    }
    if (found && remove) {
        queue.lastMessage = out;
    }
    return found;
}

void WaitForMessage(std::unique_lock<std::mutex>& lock, MessageQueue& queue,
                    const MessageFilter& filter) {
    if (!queue.incomingSends.empty()) {
        return;
    }
    queue.waiting = true;
    if (const auto due = NextTimerDue(queue, filter)) {
        queue.wake.wait_until(lock, *due);
    } else {
        queue.wake.wait(lock);
    }
    queue.waiting = false;
}

}  // namespace platform::user
