// A POSIX TZ rule in the form Windows states a zone: TIME_ZONE_INFORMATION.
#pragma once

#include <chrono>

#include <windows.h>

#include "kernel/time/posix_tz_rule.h"

namespace platform::kernel {

// The weekday-of-month form cannot say everything a POSIX rule can; `year` is the one
// for which the forms that need a year (Jn, n) are made exact.
TIME_ZONE_INFORMATION TimeZoneInformationOf(const PosixTzRule& zone, std::chrono::year year);

}  // namespace platform::kernel
