// What every zone the kernel accepts must give, whatever rule it came from: for instants
// in every year a SYSTEMTIME may name, a local time that differs from UTC by the standard or the
// daylight offset and is a real time of day, and a TIME_ZONE_INFORMATION whose transition dates are
// real dates.
#pragma once

#include <windows.h>

#include <chrono>

#include "fuzz_target.h"
#include "kernel/time/posix_tz_rule.h"
#include "kernel/time/system_time_of.h"
#include "kernel/time/time_zone_information.h"

namespace tessalink::fuzz {

inline void CheckTransitionDate(const SYSTEMTIME& date) {
    if (date.wMonth == 0) {
        return;  // no transition
    }
    FUZZ_CHECK(date.wMonth <= 12 && date.wDayOfWeek <= 6 && date.wDay >= 1 && date.wDay <= 5);
    FUZZ_CHECK(date.wHour <= 23 && date.wMinute <= 59 && date.wSecond <= 59);
}

// `pick` chooses one more year anywhere in the range, so that each input tries its own.
inline void CheckZone(const platform::kernel::PosixTzRule& zone, unsigned pick) {
    using namespace std::chrono;
    using platform::kernel::kFirstSystemTimeYear;
    using platform::kernel::kLastSystemTimeYear;
    const int years[] = {kFirstSystemTimeYear,
                         1970,
                         2026,
                         2100,
                         9999,
                         kLastSystemTimeYear,
                         kFirstSystemTimeYear +
                             static_cast<int>(pick % (kLastSystemTimeYear - kFirstSystemTimeYear))};
    for (const int number : years) {
        for (const unsigned month : {1u, 7u}) {
            const sys_seconds instant{sys_days{year{number} / month / 1}};
            const seconds offset =
                zone.ToLocal(instant).time_since_epoch() - instant.time_since_epoch();
            FUZZ_CHECK(offset == zone.standard().utcOffset ||
                       (zone.daylight() && offset == zone.daylight()->time.utcOffset));
            const SYSTEMTIME local = platform::kernel::SystemTimeOf(
                local_time<milliseconds>{zone.ToLocal(instant).time_since_epoch()});
            FUZZ_CHECK(local.wHour <= 23 && local.wMinute <= 59 && local.wSecond <= 59);
            FUZZ_CHECK(local.wMonth >= 1 && local.wMonth <= 12 && local.wDay >= 1 &&
                       local.wDay <= 31 && local.wDayOfWeek <= 6);
        }
        const TIME_ZONE_INFORMATION information =
            platform::kernel::TimeZoneInformationOf(zone, year{number});
        CheckTransitionDate(information.StandardDate);
        CheckTransitionDate(information.DaylightDate);
    }
}

}  // namespace tessalink::fuzz
