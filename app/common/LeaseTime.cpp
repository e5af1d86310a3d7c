#include "common/LeaseTime.h"

#include <datetimeapi.h>
#include <strsafe.h>

namespace {

constexpr LONGLONG kFileTimeUnitsPerSecond = 10000000;
constexpr LONG kSecondsPerDay = 86400;
constexpr LONG kMillisecondsPerDay = 86400000;
// Wrapping a shifted end time into its day keeps the day itself, so it wraps by one
// millisecond less than a day.
constexpr LONG kDayWrapMilliseconds = kMillisecondsPerDay - 1;
constexpr DWORD kLeaseTimeFlags = TIME_NOSECONDS | TIME_NOTIMEMARKER | TIME_FORCE24HOURFORMAT;
constexpr int kDatePartLength = 20;

bool ToFileTime(const SYSTEMTIME& date, LONGLONG& fileTime) {
    FILETIME converted = {};
    if (!SystemTimeToFileTime(&date, &converted)) {
        return false;
    }
    fileTime = static_cast<LONGLONG>((static_cast<ULONGLONG>(converted.dwHighDateTime) << 32) |
                                     converted.dwLowDateTime);
    return true;
}

SYSTEMTIME FirstOfJanuary(WORD year) {
    SYSTEMTIME date = {};
    date.wYear = year;
    date.wMonth = 1;
    date.wDay = 1;
    return date;
}

// 0-based day of the year of the last day of each month, after a -1 for "month 0".
constexpr LONG kMonthEndCommon[13] = {-1, 30, 58, 89, 119, 150, 180, 211, 242, 272, 303, 333, 364};
constexpr LONG kMonthEndLeap[13] = {-1, 30, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

}  // namespace

LONG LeaseTime::DayOfYear(const SYSTEMTIME& date) {
    LONGLONG start = 0;
    LONGLONG moment = 0;
    if (!ToFileTime(FirstOfJanuary(date.wYear), start) || !ToFileTime(date, moment)) {
        return 0;
    }
    return static_cast<LONG>((moment - start) / kFileTimeUnitsPerSecond / kSecondsPerDay);
}

bool LeaseTime::FetchZone() {
    if (zoneFetched_) {
        return true;
    }
    if (GetTimeZoneInformation(&zone_) == TIME_ZONE_ID_INVALID) {
        // A device that knows no zone runs on UTC without daylight time; the next use
        // asks again, in case the zone appears later.
        zone_ = {};
        return false;
    }
    zoneFetched_ = true;
    return true;
}

LONG LeaseTime::BiasSeconds() {
    FetchZone();
    LONG bias = zone_.Bias * 60;
    if (zone_.StandardDate.wMonth != 0) {
        bias += zone_.StandardBias * 60;
    }
    return bias;
}

LONG LeaseTime::DaylightBiasSeconds() {
    FetchZone();
    if (zone_.DaylightDate.wMonth == 0 || zone_.DaylightBias == 0) {
        return 0;
    }
    return (zone_.DaylightBias - zone_.StandardBias) * 60;
}

bool LeaseTime::DecomposeFileTime(LONGLONG fileTime, BrokenDownTime& result) {
    FILETIME converted = {};
    converted.dwLowDateTime = static_cast<DWORD>(static_cast<ULONGLONG>(fileTime));
    converted.dwHighDateTime = static_cast<DWORD>(static_cast<ULONGLONG>(fileTime) >> 32);
    SYSTEMTIME date = {};
    if (!FileTimeToSystemTime(&converted, &date)) {
        return false;
    }
    result.second = date.wSecond;
    result.minute = date.wMinute;
    result.hour = date.wHour;
    result.dayOfMonth = date.wDay;
    result.month = date.wMonth - 1;
    result.year = date.wYear - 1900;
    result.dayOfWeek = date.wDayOfWeek;
    result.dayOfYear = DayOfYear(date);
    result.daylight = 0;
    return true;
}

const BrokenDownTime& LeaseTime::LocalTimeOf(DWORD secondsSince1970) {
    if (epochOffset_ == 0) {
        SYSTEMTIME unixEpoch = FirstOfJanuary(1970);
        SYSTEMTIME fileTimeEpoch = FirstOfJanuary(1601);
        LONGLONG unixStart = 0;
        LONGLONG fileTimeStart = 0;
        if (ToFileTime(unixEpoch, unixStart) && ToFileTime(fileTimeEpoch, fileTimeStart)) {
            epochOffset_ = (unixStart - fileTimeStart) / kFileTimeUnitsPerSecond;
        }
    }
    result_ = {};
    if (epochOffset_ == 0) {
        return result_;
    }
    const LONGLONG daylightBias = DaylightBiasSeconds();
    LONGLONG fileTime = (static_cast<LONGLONG>(secondsSince1970) + epochOffset_ - BiasSeconds()) *
                        kFileTimeUnitsPerSecond;
    BrokenDownTime standardTime;
    if (!DecomposeFileTime(fileTime, standardTime)) {
        return result_;
    }
    if (IsDaylightTime(standardTime)) {
        fileTime -= daylightBias * kFileTimeUnitsPerSecond;
        // A failure here leaves the cleared result, as for the first conversion.
        DecomposeFileTime(fileTime, result_);
    } else {
        result_ = standardTime;
    }
    return result_;
}

bool LeaseTime::IsDaylightTime(const BrokenDownTime& standardTime) {
    FetchZone();
    if (zone_.DaylightDate.wMonth == 0) {
        return false;
    }
    if (zone_.DaylightDate.wYear != 0 || zone_.StandardDate.wYear != 0) {
        return false;
    }
    if (zone_.DaylightDate.wMonth > 12 || zone_.StandardDate.wMonth > 12) {
        return false;
    }
    const TransitionPoint start =
        TransitionDay(TransitionKind::DaylightStart, standardTime.year, zone_.DaylightDate);
    const TransitionPoint end =
        TransitionDay(TransitionKind::DaylightEnd, standardTime.year, zone_.StandardDate);
    const LONG day = standardTime.dayOfYear;
    if (start.day < end.day) {
        if (day < start.day || day > end.day) {
            return false;
        }
        if (day > start.day && day < end.day) {
            return true;
        }
    } else {
        if (day < end.day || day > start.day) {
            return true;
        }
        if (day > end.day && day < start.day) {
            return false;
        }
    }
    const LONG milliseconds =
        1000 * (standardTime.second + 60 * standardTime.minute + 3600 * standardTime.hour);
    if (day == start.day) {
        return milliseconds >= start.milliseconds;
    }
    return milliseconds < end.milliseconds;
}

TransitionPoint LeaseTime::TransitionDay(TransitionKind kind, LONG yearSince1900,
                                         const SYSTEMTIME& date) {
    const LONG* monthEnd = (yearSince1900 % 4 == 0) ? kMonthEndLeap : kMonthEndCommon;
    // Callers pass a month of 1-12; another must not read past the table.
    const LONG month = (date.wMonth >= 1 && date.wMonth <= 12) ? date.wMonth : 1;
    const LONG week = date.wDay;
    const LONG weekday = date.wDayOfWeek;
    const LONG first = monthEnd[month - 1] + 1;
    // 1970-01-01 was a Thursday (4); the remainder keeps the sign of the dividend.
    const LONG monthWeekday =
        (first + 365 * yearSince1900 + ((yearSince1900 - 1) >> 2) - 25563) % 7;
    TransitionPoint point;
    if (monthWeekday <= weekday) {
        point.day = first + (weekday - monthWeekday) + (week - 1) * 7;
    } else {
        point.day = first + (weekday - monthWeekday) + week * 7;
    }
    // Week 5 means the last such weekday, which may be the fourth.
    if (week == 5 && point.day > monthEnd[month]) {
        point.day -= 7;
    }
    point.milliseconds =
        date.wMilliseconds + 1000 * (date.wSecond + 60 * (date.wMinute + 60 * date.wHour));
    if (kind == TransitionKind::DaylightEnd) {
        // The end is stated in daylight time; moved to standard time it may leave its
        // day, but the day is kept and the time wrapped into it.
        point.milliseconds += DaylightBiasSeconds() * 1000;
        if (point.milliseconds < 0) {
            point.milliseconds += kDayWrapMilliseconds;
        } else if (point.milliseconds >= kMillisecondsPerDay) {
            point.milliseconds -= kDayWrapMilliseconds;
        }
    }
    return point;
}

void FormatLeaseTime(const BrokenDownTime& localTime, WCHAR (&text)[kLeaseTextLength]) {
    SYSTEMTIME date = {};
    date.wYear = static_cast<WORD>(localTime.year + 1900);
    date.wMonth = static_cast<WORD>(localTime.month + 1);
    date.wDay = static_cast<WORD>(localTime.dayOfMonth);
    date.wHour = static_cast<WORD>(localTime.hour);
    date.wMinute = static_cast<WORD>(localTime.minute);
    date.wSecond = static_cast<WORD>(localTime.second);
    // Fresh zero-filled parts for every text, so a part that fails to format is empty
    // and nothing of an earlier lease text shows through.
    WCHAR datePart[kDatePartLength] = {};
    WCHAR timePart[kDatePartLength] = {};
    if (GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &date, nullptr, datePart,
                       kDatePartLength) == 0) {
        datePart[0] = 0;
    }
    if (GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, kLeaseTimeFlags, &date, nullptr, timePart,
                       kDatePartLength) == 0) {
        timePart[0] = 0;
    }
    // A short date and the time fit the field; a locale with a longer date would have
    // its text cut, still terminated.
    StringCchPrintfW(text, kLeaseTextLength, TEXT("%s %s"), datePart, timePart);
}
