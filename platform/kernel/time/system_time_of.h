// Calendar fields of a point in time, in the SYSTEMTIME layout.
#pragma once

#include <chrono>

#include <windows.h>

namespace platform::kernel {

// The years a SYSTEMTIME may name, as Windows checks them: from FILETIME's epoch to the
// last year it documents.
constexpr WORD kFirstSystemTimeYear = 1601;
constexpr WORD kLastSystemTimeYear = 30827;

SYSTEMTIME SystemTimeOf(std::chrono::sys_time<std::chrono::milliseconds> instant);
SYSTEMTIME SystemTimeOf(std::chrono::local_time<std::chrono::milliseconds> wallClock);

}  // namespace platform::kernel
