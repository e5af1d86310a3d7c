#include "device/automation/settle.h"

#include <set>
#include <thread>

#include "user/messages/message_filter.h"
#include "user/paint/update_region.h"
#include "user/window_manager.h"

namespace platform::device::automation {
namespace {

// Needs the window manager's lock.
bool QueueIsIdle(const user::MessageQueue& queue) {
    return queue.waiting && queue.posted.empty() && queue.incomingSends.empty() &&
           !user::FindPaintTarget(queue, user::MessageFilter{});
}

// Needs the window manager's lock. Each queue is looked at once however many windows
// it owns.
bool SubtreeIsIdle(const user::Window& window, std::set<const user::MessageQueue*>& seen) {
    for (const auto& child : window.children) {
        const auto& queue = child->queue;
        if (queue && queue->alive && seen.insert(queue.get()).second && !QueueIsIdle(*queue)) {
            return false;
        }
        if (!SubtreeIsIdle(*child, seen)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool ProgramIsIdle() {
    auto& manager = user::WindowManager::Instance();
    auto lock = manager.Lock();
    std::set<const user::MessageQueue*> seen;
    return SubtreeIsIdle(manager.Desktop(), seen);
}

bool SettleProgram(std::chrono::milliseconds limit) {
    // The window manager has no idle signal of its own; a short poll costs little next
    // to the commands it separates.
    constexpr auto kPollInterval = std::chrono::milliseconds(1);
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!ProgramIsIdle()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    return true;
}

}  // namespace platform::device::automation
