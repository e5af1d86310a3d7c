#include "user/messages/message_queue.h"

#include "user/window_manager.h"

namespace platform::user {

namespace {

// Retires the thread's queue when the thread ends: senders waiting on it get 0, posts
// to it fail from then on.
class ThreadQueueHolder {
  public:
    ~ThreadQueueHolder() {
        if (!queue) {
            return;
        }
        auto& manager = WindowManager::Instance();
        auto lock = manager.Lock();
        queue->alive = false;
        for (const auto& send : queue->incomingSends) {
            send->result = 0;
            send->done = true;
            send->sender->wake.notify_all();
        }
        queue->incomingSends.clear();
        queue->posted.clear();
        queue->timers.clear();
        manager.Queues().erase(queue->ThreadId());
    }

    std::shared_ptr<MessageQueue> queue;
};

thread_local ThreadQueueHolder threadQueue;

}  // namespace

std::shared_ptr<MessageQueue> CurrentQueue() {
    if (!threadQueue.queue) {
        threadQueue.queue = std::make_shared<MessageQueue>(GetCurrentThreadId());
        WindowManager::Instance().Queues()[threadQueue.queue->ThreadId()] = threadQueue.queue;
    }
    return threadQueue.queue;
}

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return MSG{window, message,        wParam,
               lParam, GetTickCount(), WindowManager::Instance().stylusPosition};
}

void Post(MessageQueue& queue, const MSG& msg, bool input) {
    if (input && msg.message == WM_MOUSEMOVE && !queue.posted.empty()) {
        QueuedMessage& last = queue.posted.back();
        if (last.input && last.msg.message == WM_MOUSEMOVE && last.msg.hwnd == msg.hwnd) {
            last.msg = msg;
            return;
        }
    }
    queue.posted.push_back(QueuedMessage{msg, input});
    queue.wake.notify_all();
}

std::shared_ptr<MessageQueue> QueueOfThread(DWORD threadId) {
    auto& queues = WindowManager::Instance().Queues();
    const auto it = queues.find(threadId);
    return it == queues.end() ? nullptr : it->second;
}

}  // namespace platform::user
