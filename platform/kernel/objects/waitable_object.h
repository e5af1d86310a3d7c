// A kernel object that WaitForSingleObject can wait on: a thread, a mutex, an event.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "kernel/objects/kernel_object.h"

namespace platform::kernel {

enum class WaitResult { Signalled, TimedOut };

class WaitableObject : public KernelObject {
  public:
    // Waits until the object is signalled, and takes what signalling gives (a mutex's
    // ownership, an auto-reset event's signal). 0xFFFFFFFF milliseconds waits forever.
    virtual WaitResult Wait(std::uint32_t milliseconds) = 0;

  protected:
    // Waits on condition for ready() within the time-out, holding lock around each
    // test; every waitable object's Wait is this plus what a successful wait takes.
    template <typename Ready>
    static bool WaitFor(std::unique_lock<std::mutex>& lock, std::condition_variable& condition,
                        std::uint32_t milliseconds, Ready ready) {
        if (milliseconds == kInfinite) {
            condition.wait(lock, ready);
            return true;
        }
        return condition.wait_for(lock, std::chrono::milliseconds(milliseconds), ready);
    }

  private:
    static constexpr std::uint32_t kInfinite = 0xFFFFFFFF;
};

}  // namespace platform::kernel
