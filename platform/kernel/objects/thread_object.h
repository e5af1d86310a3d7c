// A thread as its handle sees it: running, or ended with an exit code.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>

#include "kernel/objects/waitable_object.h"

namespace platform::kernel {

class ThreadObject : public WaitableObject {
  public:
    WaitResult Wait(std::uint32_t milliseconds) override;

    // Called by the thread itself as it ends; wakes every waiter.
    void Finish(std::uint32_t exitCode);
    // The exit code, or nothing while the thread runs.
    std::optional<std::uint32_t> ExitCode();

  private:
    std::mutex mutex_;
    std::condition_variable finished_;
    std::optional<std::uint32_t> exitCode_;
};

}  // namespace platform::kernel
