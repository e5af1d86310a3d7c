#include "kernel/objects/mutex_object.h"

#include "kernel/objects/thread_registry.h"

namespace platform::kernel {

WaitResult MutexObject::Wait(std::uint32_t milliseconds) {
    const std::uint32_t self = ThreadRegistry::Instance().CurrentThreadId();
    std::unique_lock lock(mutex_);
    if (!WaitFor(lock, released_, milliseconds,
                 [this, self] { return owner_ == 0 || owner_ == self; })) {
        return WaitResult::TimedOut;
    }
    owner_ = self;
    ++recursion_;
    return WaitResult::Signalled;
}

bool MutexObject::Release() {
    const std::uint32_t self = ThreadRegistry::Instance().CurrentThreadId();
    {
        const std::lock_guard lock(mutex_);
        if (owner_ != self) {
            return false;
        }
        if (--recursion_ > 0) {
            return true;
        }
        owner_ = 0;
    }
    released_.notify_one();
    return true;
}

}  // namespace platform::kernel
