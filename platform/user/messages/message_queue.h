// A thread's message queue: posted messages, messages other threads are sending to it,
// the quit request, its timers and the key state as its messages have seen it.
//
// Queues are made on a thread's first need and retired when the thread ends: from then
// on posts to it fail and sends to its windows return 0 at once. Every member is guarded
// by the window manager's lock; `wake` is signalled whenever something arrives for the
// thread (a posted message, a send, the reply to its own send, an invalidation).
#pragma once

#include <windows.h>
#include <winuser.h>

#include <array>
#include <chrono>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "user/messages/sent_message.h"
#include "user/messages/wake_signal.h"

namespace platform::user {

struct QueuedMessage {
    MSG msg{};
    // Stylus and key input update the thread's key state when they are taken.
    bool input = false;
};

struct Timer {
    HWND window = nullptr;
    UINT_PTR id = 0;
    std::chrono::milliseconds interval{};
    std::chrono::steady_clock::time_point due{};
    TIMERPROC procedure = nullptr;
};

class MessageQueue {
  public:
    explicit MessageQueue(DWORD threadId) : threadId_(threadId) {}

    DWORD ThreadId() const { return threadId_; }

    bool alive = true;
    WakeSignal wake;
    std::deque<QueuedMessage> posted;
    std::deque<std::shared_ptr<SentMessage>> incomingSends;
    bool quitPosted = false;
    // True while the thread sleeps in WaitForMessage: with nothing pending it is then idle,
    // which is how automation knows the input it gave has been handled.
    bool waiting = false;
    int quitCode = 0;
    std::vector<Timer> timers;
    // Per virtual key: 0x80 while down, 0x01 toggled at each press.
    std::array<BYTE, 256> keyState{};
    // The last message taken, for GetMessagePos and GetMessageTime.
    MSG lastMessage{};

  private:
    DWORD threadId_ = 0;
};

// The calling thread's queue, made on first need. Needs the lock.
std::shared_ptr<MessageQueue> CurrentQueue();
// A message stamped with the current time and stylus position. Needs the lock.
MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Appends a message and wakes the thread. A stylus move replaces a move still waiting
// at the end of the queue for the same window: only the latest position matters.
// Needs the lock.
void Post(MessageQueue& queue, const MSG& msg, bool input);
// The queue of a live thread that has one, or null. Needs the lock.
std::shared_ptr<MessageQueue> QueueOfThread(DWORD threadId);

}  // namespace platform::user
