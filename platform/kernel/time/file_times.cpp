// FILETIME arithmetic: 100-nanosecond ticks since 1601-01-01 UTC, the proleptic
// Gregorian calendar, and Windows' range checks. The calendar work is the standard
// library's.
#include <windows.h>

#include <chrono>
#include <cstdint>

#include "kernel/time/device_clock.h"
#include "kernel/time/system_time_of.h"

namespace {

using Ticks = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;
using namespace std::chrono;

constexpr sys_days kFileTimeEpoch = year{1601} / January / 1;

std::uint64_t TicksOf(const FILETIME& fileTime) {
    return (std::uint64_t{fileTime.dwHighDateTime} << 32) | fileTime.dwLowDateTime;
}

BOOL FailInvalidParameter() {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

}  // namespace

// wDayOfWeek is output only and is not checked, as on Windows.
extern "C" BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime) {
    if (lpSystemTime == nullptr || lpFileTime == nullptr) {
        return FailInvalidParameter();
    }
    const SYSTEMTIME& time = *lpSystemTime;
    const year_month_day date{year{time.wYear}, month{time.wMonth}, day{time.wDay}};
    if (time.wYear < platform::kernel::kFirstSystemTimeYear ||
        time.wYear > platform::kernel::kLastSystemTimeYear || !date.ok() || time.wHour > 23 ||
        time.wMinute > 59 || time.wSecond > 59 || time.wMilliseconds > 999) {
        return FailInvalidParameter();
    }
    const auto sinceEpoch = sys_days{date} - kFileTimeEpoch + hours{time.wHour} +
                            minutes{time.wMinute} + seconds{time.wSecond} +
                            milliseconds{time.wMilliseconds};
    const auto ticks = static_cast<std::uint64_t>(duration_cast<Ticks>(sinceEpoch).count());
    lpFileTime->dwLowDateTime = static_cast<DWORD>(ticks);
    lpFileTime->dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return TRUE;
}

// Any FILETIME up to 0x7FFFFFFFFFFFFFFF (in the year 30828) converts; the
// sub-millisecond ticks are dropped.
extern "C" BOOL WINAPI FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime) {
    if (lpFileTime == nullptr || lpSystemTime == nullptr) {
        return FailInvalidParameter();
    }
    const std::uint64_t ticks = TicksOf(*lpFileTime);
    if (ticks > static_cast<std::uint64_t>(INT64_MAX)) {
        return FailInvalidParameter();
    }
    const auto sinceEpoch = duration_cast<milliseconds>(Ticks{static_cast<std::int64_t>(ticks)});
    const auto wholeDays = floor<days>(sinceEpoch);
    const sys_days date = kFileTimeEpoch + wholeDays;
    const year_month_day calendar{date};
    const hh_mm_ss timeOfDay{sinceEpoch - wholeDays};
    lpSystemTime->wYear = static_cast<WORD>(static_cast<int>(calendar.year()));
    lpSystemTime->wMonth = static_cast<WORD>(static_cast<unsigned>(calendar.month()));
    lpSystemTime->wDay = static_cast<WORD>(static_cast<unsigned>(calendar.day()));
    lpSystemTime->wDayOfWeek = static_cast<WORD>(weekday{date}.c_encoding());
    lpSystemTime->wHour = static_cast<WORD>(timeOfDay.hours().count());
    lpSystemTime->wMinute = static_cast<WORD>(timeOfDay.minutes().count());
    lpSystemTime->wSecond = static_cast<WORD>(timeOfDay.seconds().count());
    lpSystemTime->wMilliseconds = static_cast<WORD>(timeOfDay.subseconds().count());
    return TRUE;
}

// A missing time compares as the earliest, rather than faulting.
extern "C" LONG WINAPI CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2) {
    if (lpFileTime1 == nullptr || lpFileTime2 == nullptr) {
        return lpFileTime1 == lpFileTime2 ? 0 : (lpFileTime1 == nullptr ? -1 : 1);
    }
    const std::uint64_t first = TicksOf(*lpFileTime1);
    const std::uint64_t second = TicksOf(*lpFileTime2);
    return first < second ? -1 : (first > second ? 1 : 0);
}

// The device clock, so that a clock the device settings fixed reads the same here as
// through GetSystemTime.
extern "C" void WINAPI GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime) {
    const sys_time<Ticks> now = platform::kernel::DeviceClock::NowUtc();
    const auto ticks = static_cast<std::uint64_t>((now - sys_time<Ticks>{kFileTimeEpoch}).count());
    lpSystemTimeAsFileTime->dwLowDateTime = static_cast<DWORD>(ticks);
    lpSystemTimeAsFileTime->dwHighDateTime = static_cast<DWORD>(ticks >> 32);
}
