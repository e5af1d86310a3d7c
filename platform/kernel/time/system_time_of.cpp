#include "kernel/time/system_time_of.h"

namespace platform::kernel {

using namespace std::chrono;

namespace {

SYSTEMTIME FieldsOf(milliseconds sinceEpoch) {
    const sys_days day = floor<days>(sys_time<milliseconds>{sinceEpoch});
    const year_month_day date{day};
    const hh_mm_ss time{sinceEpoch - day.time_since_epoch()};
    SYSTEMTIME fields{};
    fields.wYear = static_cast<WORD>(static_cast<int>(date.year()));
    fields.wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
    fields.wDayOfWeek = static_cast<WORD>(weekday{day}.c_encoding());
    fields.wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
    fields.wHour = static_cast<WORD>(time.hours().count());
    fields.wMinute = static_cast<WORD>(time.minutes().count());
    fields.wSecond = static_cast<WORD>(time.seconds().count());
    fields.wMilliseconds = static_cast<WORD>(time.subseconds().count());
    return fields;
}

}  // namespace

SYSTEMTIME SystemTimeOf(sys_time<milliseconds> instant) {
    return FieldsOf(instant.time_since_epoch());
}

SYSTEMTIME SystemTimeOf(local_time<milliseconds> wallClock) {
    return FieldsOf(wallClock.time_since_epoch());
}

}  // namespace platform::kernel
