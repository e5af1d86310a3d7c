// Thread ids. Every thread gets a nonzero id the first time it asks, whether
// CreateThread made it or not (the process's first thread, a std::thread inside
// the platform), and keeps it until it ends; ids are not reused while the process
// lives. The window system uses this to tie queues to threads and to know when a
// thread it would wait for has gone.
#pragma once

#include <cstdint>
#include <mutex>
#include <unordered_set>

namespace platform::kernel {

class ThreadRegistry {
  public:
    static ThreadRegistry& Instance();

    std::uint32_t CurrentThreadId();
    bool IsAlive(std::uint32_t threadId);

    // CreateThread reports the new thread's id before the thread runs: it reserves
    // the id, and the new thread adopts it as its first act.
    std::uint32_t Reserve();
    void AdoptOnCurrentThread(std::uint32_t threadId);
    // Marks the calling thread ended now, before its thread-local storage goes, so
    // that whoever its end wakes already sees it gone.
    void RetireCurrentThread();

  private:
    void Retire(std::uint32_t threadId);

    std::mutex mutex_;
    std::unordered_set<std::uint32_t> alive_;
    // Windows' thread ids are multiples of four; ours follow suit.
    std::uint32_t nextId_ = 4;

    friend class ThreadIdentity;
};

}  // namespace platform::kernel
