// Turns the IP Helper library's lease times (seconds since 1970, UTC) into local
// date-and-time texts with the device's time zone, daylight-saving rule included.
#pragma once

#include <timezoneapi.h>
#include <windows.h>

#include "common/AdapterRecord.h"

// The fields, meaning and order of the C library's broken-down time. The daylight
// flag stays 0: the hour already includes any daylight shift.
struct BrokenDownTime {
    LONG second = 0;
    LONG minute = 0;
    LONG hour = 0;
    LONG dayOfMonth = 0;  // 1-31
    LONG month = 0;       // 0-11
    LONG year = 0;        // years since 1900
    LONG dayOfWeek = 0;   // 0 = Sunday
    LONG dayOfYear = 0;   // 0-365
    LONG daylight = 0;
};

// A moment of one year: its 0-based day and the time of that day in milliseconds.
struct TransitionPoint {
    LONG day = 0;
    LONG milliseconds = 0;
};

enum class TransitionKind { DaylightStart, DaylightEnd };

class LeaseTime {
  public:
    // The local time of a count of seconds since 1970-01-01 00:00 UTC. The result lives
    // in this object and every call overwrites it; copy what you need before the next.
    const BrokenDownTime& LocalTimeOf(DWORD secondsSince1970);

    // Whether a local standard time falls in daylight time. Only zones stated in the
    // weekday-of-the-month form have daylight time; absolute dates are not honoured.
    bool IsDaylightTime(const BrokenDownTime& standardTime);

    // Where a weekday-of-the-month transition date falls in a year counted from 1900,
    // in local standard time.
    TransitionPoint TransitionDay(TransitionKind kind, LONG yearSince1900, const SYSTEMTIME& date);

    // The 0-based day of the year of a date; 0 when the date cannot be converted.
    static LONG DayOfYear(const SYSTEMTIME& date);

  private:
    bool FetchZone();
    LONG BiasSeconds();
    LONG DaylightBiasSeconds();
    bool DecomposeFileTime(LONGLONG fileTime, BrokenDownTime& result);

    BrokenDownTime result_;
    // Seconds from 1601-01-01 to 1970-01-01; 0 until computed.
    LONGLONG epochOffset_ = 0;
    TIME_ZONE_INFORMATION zone_ = {};
    bool zoneFetched_ = false;
};

// The short date of the system locale, a blank, and hours and minutes on the 24-hour
// clock.
void FormatLeaseTime(const BrokenDownTime& localTime, WCHAR (&text)[kLeaseTextLength]);
