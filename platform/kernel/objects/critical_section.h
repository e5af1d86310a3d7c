// The lock behind CRITICAL_SECTION: recursive, as on Windows, so the owner may enter
// again and must leave as often as it entered.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

namespace platform::kernel {

class CriticalSection {
  public:
    void Enter();
    // A thread that does not own the section leaves nothing: Windows leaves that
    // undefined, and we would rather not corrupt the owner's hold.
    void Leave();

  private:
    std::mutex mutex_;
    // Read unlocked by would-be owners to recognise re-entry; only the owner writes
    // it, and only while holding mutex_.
    std::atomic<std::uint32_t> owner_ = 0;
    std::uint32_t recursion_ = 0;
};

}  // namespace platform::kernel
