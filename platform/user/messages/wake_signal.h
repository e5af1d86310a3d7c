// What a thread's queue sleeps on: a condition variable that first spins for a few
// microseconds before it sleeps. A cross-thread SendMessageW is two wake-ups in a row
// (the receiver for the message, the sender for the reply), and a futex wake-up costs
// several microseconds of scheduler latency each; a thread that has just gone idle is
// usually woken again within that time, so it finds the news while still spinning.
//
// Every notification happens under the window manager's lock and counts itself, so a
// waiter that saw no new count after re-taking the lock can sleep without missing one.
// The spin is bounded and happens at most once per wait, so an idle thread sleeps, and it
// stops while it keeps missing, so a loaded machine loses nothing to it.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace platform::user {

class WakeSignal {
  public:
    // Needs the lock.
    void notify_all();
    // Need the lock; they release it while spinning and sleeping, and may return early.
    void wait(std::unique_lock<std::mutex>& lock);
    void wait_until(std::unique_lock<std::mutex>& lock, std::chrono::steady_clock::time_point due);

  private:
    // Spins without the lock until a notification arrives or the spin's time is up;
    // true when one arrived. Returns with the lock held.
    bool SpinForNotification(std::unique_lock<std::mutex>& lock);

    std::condition_variable condition_;
    std::atomic<std::uint64_t> notifications_{0};
    // Whether spinning has been paying off lately; guarded by the lock like the queue.
    int spinCredit_ = 16;
    int waitsWithoutSpin_ = 0;
};

}  // namespace platform::user
