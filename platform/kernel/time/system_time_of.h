// Calendar fields of a point in time, in the SYSTEMTIME layout.
#pragma once

#include <chrono>

#include <windows.h>

namespace platform::kernel {

SYSTEMTIME SystemTimeOf(std::chrono::sys_time<std::chrono::milliseconds> instant);
SYSTEMTIME SystemTimeOf(std::chrono::local_time<std::chrono::milliseconds> wallClock);

}  // namespace platform::kernel
