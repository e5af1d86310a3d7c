// A mutex: owned by one thread at a time, recursively, as on Windows. A named mutex
// also holds its claim on the name, so other processes see the name while any
// handle to it is open here.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

#include "kernel/objects/cross_process_name.h"
#include "kernel/objects/waitable_object.h"

namespace platform::kernel {

class MutexObject : public WaitableObject {
  public:
    explicit MutexObject(std::unique_ptr<CrossProcessName> name = nullptr)
        : name_(std::move(name)) {}

    // Ownership is the calling thread's.
    WaitResult Wait(std::uint32_t milliseconds) override;
    // False when the calling thread does not own the mutex.
    bool Release();

  private:
    // FIXME: a mutex whose owner thread ends is not handed on as abandoned
    // (WAIT_ABANDONED); nothing in the program waits on a mutex a thread could leave.
    // FIXME: ownership of a named mutex is per process; other processes only see
    // that the name exists, which is all the single-instance check asks.
    std::mutex mutex_;
    std::condition_variable released_;
    std::uint32_t owner_ = 0;
    std::uint32_t recursion_ = 0;
    std::unique_ptr<CrossProcessName> name_;
};

}  // namespace platform::kernel
