#include "user/messages/wake_signal.h"

#include <algorithm>
#include <thread>

namespace platform::user {

namespace {

// Long enough to cover another thread handling a short message and replying, short
// enough that a thread going idle wastes no noticeable time.
constexpr std::chrono::microseconds kSpinTime{20};

// A spin that misses costs more credit than one that pays earns, so that a signal whose
// spins mostly miss (a loaded machine, where the thread we wait for is seldom running and
// our spin only takes processor time from it) soon sleeps at once; it tries a spin again
// every so often to learn when spinning pays again.
constexpr int kMaxSpinCredit = 16;
constexpr int kMissedSpinCost = 4;
constexpr int kProbeEvery = 32;

// With one processor the thread we wait for cannot run while we spin.
const bool kSpinWorthIt = std::thread::hardware_concurrency() > 1;

// Tells the processor we are spinning, without giving up the rest of our time slice: a
// yield on a loaded machine hands the processor to other programs for a whole slice,
// where sleeping on the condition variable would have been woken in microseconds.
void CpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#elif defined(__aarch64__)
    asm volatile("yield" ::: "memory");
#endif
}

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
    if (!kSpinWorthIt || (spinCredit_ <= 0 && ++waitsWithoutSpin_ < kProbeEvery)) {
        return false;
    }
    waitsWithoutSpin_ = 0;
    lock.unlock();
    const auto end = std::chrono::steady_clock::now() + kSpinTime;
    while (notifications_.load(std::memory_order_acquire) == seen &&
           std::chrono::steady_clock::now() < end) {
        CpuRelax();
    }
    lock.lock();
    const bool notified = notifications_.load(std::memory_order_relaxed) != seen;
    spinCredit_ = notified ? std::min(spinCredit_ + 1, kMaxSpinCredit)
                           : std::max(spinCredit_ - kMissedSpinCost, 0);
    return notified;
}

}  // namespace platform::user
