#include "kernel/objects/event_object.h"

namespace platform::kernel {

WaitResult EventObject::Wait(std::uint32_t milliseconds) {
    std::unique_lock lock(mutex_);
    if (!WaitFor(lock, changed_, milliseconds, [this] { return signalled_; })) {
        return WaitResult::TimedOut;
    }
    if (!manualReset_) {
        signalled_ = false;
    }
    return WaitResult::Signalled;
}

void EventObject::Set() {
    {
        const std::lock_guard lock(mutex_);
        signalled_ = true;
    }
    if (manualReset_) {
        changed_.notify_all();
    } else {
        changed_.notify_one();
    }
}

void EventObject::Reset() {
    const std::lock_guard lock(mutex_);
    signalled_ = false;
}

}  // namespace platform::kernel
