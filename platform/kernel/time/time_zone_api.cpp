// The Win32 face of the device's zone and clock.
#include <windows.h>

#include "kernel/time/device_clock.h"
#include "kernel/time/device_zone.h"
#include "kernel/time/system_time_of.h"
#include "kernel/time/time_zone_information.h"

using namespace std::chrono;
using platform::kernel::DeviceClock;
using platform::kernel::DeviceZone;

extern "C" DWORD WINAPI GetTimeZoneInformation(LPTIME_ZONE_INFORMATION lpTimeZoneInformation) {
    if (lpTimeZoneInformation == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return TIME_ZONE_ID_INVALID;
    }
    const auto zone = DeviceZone::Current();
    if (!zone.rule) {
        SetLastError(zone.error);
        return TIME_ZONE_ID_INVALID;
    }
    const auto now = floor<seconds>(DeviceClock::NowUtc());
    const year thisYear = year_month_day{floor<days>(zone.rule->ToLocal(now))}.year();
    *lpTimeZoneInformation = platform::kernel::TimeZoneInformationOf(*zone.rule, thisYear);
    if (!zone.rule->daylight()) {
        return TIME_ZONE_ID_UNKNOWN;
    }
    return zone.rule->IsDaylightAt(now) ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}

extern "C" void WINAPI GetSystemTime(LPSYSTEMTIME lpSystemTime) {
    if (lpSystemTime != nullptr) {
        *lpSystemTime = platform::kernel::SystemTimeOf(DeviceClock::NowUtc());
    }
}

extern "C" void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime) {
    if (lpSystemTime != nullptr) {
        *lpSystemTime = platform::kernel::SystemTimeOf(DeviceClock::NowLocal());
    }
}
