#include "user/wake_signal.h"

#include <thread>

namespace platform::user {

namespace {

// Long enough to cover another thread handling a short message and replying, short
// enough that a thread going idle wastes no noticeable time.
constexpr std::chrono::microseconds kSpinTime{20};

}  // namespace

void WakeSignal::notify_all() {
    notifications_.fetch_add(1, std::memory_order_release);
    condition_.notify_all();
}

void WakeSignal::wait(std::unique_lock<std::mutex>& lock) {
    if (!SpinForNotification(lock)) {
        condition_.wait(lock);
    }
}

void WakeSignal::wait_until(std::unique_lock<std::mutex>& lock,
                            std::chrono::steady_clock::time_point due) {
    if (!SpinForNotification(lock)) {
        condition_.wait_until(lock, due);
    }
}

bool WakeSignal::SpinForNotification(std::unique_lock<std::mutex>& lock) {
    const std::uint64_t seen = notifications_.load(std::memory_order_relaxed);
    lock.unlock();
    const auto end = std::chrono::steady_clock::now() + kSpinTime;
    // Yielding rather than pausing lets the thread we wait for run when both share a
    // core, which on a busy machine is when the spin matters most.
    while (notifications_.load(std::memory_order_acquire) == seen &&
           std::chrono::steady_clock::now() < end) {
        std::this_thread::yield();
    }
    lock.lock();
    return notifications_.load(std::memory_order_relaxed) != seen;
}

}  // namespace platform::user
