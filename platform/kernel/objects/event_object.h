// An event: manual-reset events stay signalled until reset; auto-reset events let
// exactly one waiter through per SetEvent.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "kernel/objects/waitable_object.h"

namespace platform::kernel {

class EventObject : public WaitableObject {
  public:
    EventObject(bool manualReset, bool initiallySignalled)
        : manualReset_(manualReset), signalled_(initiallySignalled) {}

    WaitResult Wait(std::uint32_t milliseconds) override;
    void Set();
    void Reset();

  private:
    const bool manualReset_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool signalled_ = false;
};

}  // namespace platform::kernel
