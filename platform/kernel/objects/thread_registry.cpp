#include "kernel/objects/thread_registry.h"

namespace platform::kernel {

// The calling thread's id, retired when the thread's storage is destroyed unless the
// thread retired it before.
class ThreadIdentity {
  public:
    ~ThreadIdentity() {
        if (id != 0) {
            ThreadRegistry::Instance().Retire(id);
        }
    }

    std::uint32_t id = 0;
};

namespace {

thread_local ThreadIdentity currentIdentity;

}  // namespace

ThreadRegistry& ThreadRegistry::Instance() {
    // Never destroyed: threads may end, and retire their ids, while the process exits.
    static ThreadRegistry* const registry = new ThreadRegistry;
    return *registry;
}

std::uint32_t ThreadRegistry::CurrentThreadId() {
    if (currentIdentity.id == 0) {
        currentIdentity.id = Reserve();
    }
    return currentIdentity.id;
}

bool ThreadRegistry::IsAlive(std::uint32_t threadId) {
    const std::lock_guard lock(mutex_);
    return alive_.contains(threadId);
}

std::uint32_t ThreadRegistry::Reserve() {
    const std::lock_guard lock(mutex_);
    const std::uint32_t id = nextId_;
    // After four billion threads the counter wraps; skip 0 and ids still in use.
    do {
        nextId_ += 4;
    } while (nextId_ == 0 || alive_.contains(nextId_));
    alive_.insert(id);
    return id;
}

void ThreadRegistry::AdoptOnCurrentThread(std::uint32_t threadId) {
    currentIdentity.id = threadId;
}

void ThreadRegistry::RetireCurrentThread() {
    if (currentIdentity.id != 0) {
        Retire(currentIdentity.id);
        currentIdentity.id = 0;
    }
}

void ThreadRegistry::Retire(std::uint32_t threadId) {
    const std::lock_guard lock(mutex_);
    alive_.erase(threadId);
}

}  // namespace platform::kernel
