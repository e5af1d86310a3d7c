#include "kernel/time/time_zone_information.h"

#include <algorithm>

namespace platform::kernel {

using namespace std::chrono;

namespace {

LONG MinutesWestOf(seconds utcOffset) {
    return static_cast<LONG>(-round<minutes>(utcOffset).count());
}

void CopyName(const std::string& name, WCHAR (&field)[32]) {
    // Rule names are ASCII and at most 31 characters; the parser refuses others.
    const std::size_t length = std::min(name.size(), std::size(field) - 1);
    std::copy_n(name.begin(), length, field);
    field[length] = u'\0';
}

// Windows states a recurring transition as "weekday d of week w (5 = last) of month
// m" at a time of day from 00:00 to 23:59:59. POSIX can say more, and each excess is
// mapped to what is exact in the most years:
// - A time outside the day (Jerusalem's Thursday 26:00, Nuuk's Sunday -1:00) becomes
//   the weekday it lands on, in the same week of the month: Friday 02:00 of week 4,
//   Saturday 23:00 of the last week. That is the same day as the POSIX rule in six
//   years of seven; keeping the weekday and clamping the time would instead be hours
//   wrong every year.
// - A fixed day (Jn, n) has no weekday form; it becomes the weekday and week on which
//   it falls in `year`, exact then and at most three days off in other years. The
//   absolute form (wYear set) would be exact too, but consumers treat it as a one-off
//   date and ignore it in every other year.
SYSTEMTIME TransitionDate(const TzTransitionRule& rule, year y) {
    const days dayShift = floor<days>(rule.time());
    const hh_mm_ss timeOfDay{rule.time() - dayShift};
    SYSTEMTIME date{};
    date.wHour = static_cast<WORD>(timeOfDay.hours().count());
    date.wMinute = static_cast<WORD>(timeOfDay.minutes().count());
    date.wSecond = static_cast<WORD>(timeOfDay.seconds().count());
    if (rule.form() == TzTransitionRule::Form::MonthWeekDay) {
        const int shift = static_cast<int>(dayShift.count());
        const int weekday = static_cast<int>(rule.weekday()) + shift % 7;
        date.wMonth = static_cast<WORD>(rule.month());
        date.wDayOfWeek = static_cast<WORD>((weekday % 7 + 7) % 7);
        date.wDay = static_cast<WORD>(std::clamp(static_cast<int>(rule.week()) + shift / 7, 1, 5));
        return date;
    }
    const local_days day = rule.DayIn(y) + dayShift;
    const year_month_day ymd{day};
    date.wMonth = static_cast<WORD>(static_cast<unsigned>(ymd.month()));
    date.wDayOfWeek = static_cast<WORD>(weekday{day}.c_encoding());
    date.wDay = static_cast<WORD>((static_cast<unsigned>(ymd.day()) - 1) / 7 + 1);
    return date;
}

}  // namespace

TIME_ZONE_INFORMATION TimeZoneInformationOf(const PosixTzRule& zone, year y) {
    TIME_ZONE_INFORMATION information{};
    information.Bias = MinutesWestOf(zone.standard().utcOffset);
    information.StandardBias = 0;
    CopyName(zone.standard().name, information.StandardName);
    if (!zone.daylight()) {
        CopyName(zone.standard().name, information.DaylightName);
        return information;
    }
    const DaylightTime& daylight = *zone.daylight();
    CopyName(daylight.time.name, information.DaylightName);
    information.DaylightBias = MinutesWestOf(daylight.time.utcOffset) - information.Bias;
    information.DaylightDate = TransitionDate(daylight.start, y);
    information.StandardDate = TransitionDate(daylight.end, y);
    return information;
}

}  // namespace platform::kernel
