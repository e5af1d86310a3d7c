#include "user/remote/window_thread_call.h"

#include "user/window_manager.h"

namespace platform::user {

std::optional<LRESULT> CallOnWindowThread(HWND window, std::function<LRESULT()> task,
                                          std::chrono::milliseconds timeout) {
    auto& manager = WindowManager::Instance();
    auto lock = manager.Lock();
    const auto target = manager.Find(window);
    if (!target || !target->queue || !target->queue->alive) {
        return std::nullopt;
    }
    auto send = std::make_shared<SentMessage>();
    send->window = window;
    send->task = std::move(task);
    // A queue of its own to be woken on, outside the table of threads' queues: the
    // calling thread has no windows and must not look like a program thread to anyone
    // who waits for the program's threads to settle.
    send->sender = std::make_shared<MessageQueue>(0);
    target->queue->incomingSends.push_back(send);
    target->queue->wake.notify_all();
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!send->done && std::chrono::steady_clock::now() < deadline) {
        send->sender->wake.wait_until(lock, deadline);
    }
    return send->done ? std::optional(send->result) : std::nullopt;
}

}  // namespace platform::user
