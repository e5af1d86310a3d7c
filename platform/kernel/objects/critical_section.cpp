#include "kernel/objects/critical_section.h"

#include "kernel/objects/thread_registry.h"

namespace platform::kernel {

void CriticalSection::Enter() {
    const std::uint32_t self = ThreadRegistry::Instance().CurrentThreadId();
    if (owner_.load(std::memory_order_relaxed) == self) {
        ++recursion_;
        return;
    }
    mutex_.lock();
    owner_.store(self, std::memory_order_relaxed);
    recursion_ = 1;
}

void CriticalSection::Leave() {
    const std::uint32_t self = ThreadRegistry::Instance().CurrentThreadId();
    if (owner_.load(std::memory_order_relaxed) != self) {
        return;
    }
    if (--recursion_ > 0) {
        return;
    }
    owner_.store(0, std::memory_order_relaxed);
    mutex_.unlock();
}

}  // namespace platform::kernel
