// The device's clock: the host's, or the fixed one the device settings ask for, read
// in the device's zone.
#pragma once

#include <chrono>

namespace platform::kernel {

class DeviceClock {
  public:
    using Utc = std::chrono::sys_time<std::chrono::milliseconds>;
    using Local = std::chrono::local_time<std::chrono::milliseconds>;

    static Utc NowUtc();
    // UTC when the zone cannot be read: a clock has to show something.
    static Local NowLocal();
};

}  // namespace platform::kernel
