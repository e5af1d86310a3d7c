// Taking the calling thread's next message, in the order Windows gives them: sent
// messages are handled first (they never leave the queue as messages), then posted
// messages and input in arrival order, then the quit request, then WM_PAINT for a window
// with an update region, then WM_TIMER for a timer that is due. WM_PAINT and WM_TIMER are
// made only when nothing else is waiting, and each only while its cause lasts, so they
// coalesce by themselves.
#pragma once

#include <windows.h>
#include <winuser.h>

#include <mutex>

#include "user/messages/message_filter.h"
#include "user/messages/message_queue.h"

namespace platform::user {

// Needs the lock; releases it while sent messages are handled.
bool TakeMessage(std::unique_lock<std::mutex>& lock, MessageQueue& queue,
                 const MessageFilter& filter, bool remove, MSG& out);
// Sleeps until something arrives for the thread or one of its matching timers is due.
void WaitForMessage(std::unique_lock<std::mutex>& lock, MessageQueue& queue,
                    const MessageFilter& filter);

// Handles every message other threads are sending to this one. Needs the lock and
// releases it while the window procedures run.
void HandleIncomingSends(std::unique_lock<std::mutex>& lock, MessageQueue& queue);
// The message another thread sent that this thread is handling now, if any.
SentMessage* SendBeingHandled();

}  // namespace platform::user
