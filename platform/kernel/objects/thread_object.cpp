#include "kernel/objects/thread_object.h"

namespace platform::kernel {

WaitResult ThreadObject::Wait(std::uint32_t milliseconds) {
    std::unique_lock lock(mutex_);
    const bool ended =
        WaitFor(lock, finished_, milliseconds, [this] { return exitCode_.has_value(); });
    return ended ? WaitResult::Signalled : WaitResult::TimedOut;
}

void ThreadObject::Finish(std::uint32_t exitCode) {
    {
        const std::lock_guard lock(mutex_);
        exitCode_ = exitCode;
    }
    finished_.notify_all();
}

std::optional<std::uint32_t> ThreadObject::ExitCode() {
    const std::lock_guard lock(mutex_);
    return exitCode_;
}

}  // namespace platform::kernel
