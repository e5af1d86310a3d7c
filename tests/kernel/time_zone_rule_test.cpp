// The device's zone given as a POSIX rule: GetTimeZoneInformation's weekday-of-month
// form of it, which time the device clock is in, the local time read with the zone's
// own rule (not that approximation), and refusal of bad rules; the clock settings.
#include <windows.h>

#include <array>
#include <chrono>
#include <string>

#include "device_settings_test_base.h"

namespace {

using platform::kernel::ClockSetting;
using platform::kernel::DeviceSettings;

// Month, week, weekday and hour: transitions fall on the hour in every zone here.
using Transition = std::array<WORD, 4>;
// Year, month, day, hour, minute, second.
using WallClock = std::array<WORD, 6>;

Transition TransitionOf(const SYSTEMTIME& date) {
    EXPECT_EQ(date.wYear + date.wMinute + date.wSecond, 0);
    return {date.wMonth, date.wDay, date.wDayOfWeek, date.wHour};
}

WallClock WallClockOf(const SYSTEMTIME& time) {
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

class TimeZoneRuleTest : public DeviceSettingsTestBase {};

TEST_F(TimeZoneRuleTest, RulesMapToTheWeekdayOfMonthForm) {
    const struct {
        const char* rule;
        LONG bias;
        const char16_t* standardName;
        const char16_t* daylightName;
        LONG daylightBias;
        Transition daylightDate;
        Transition standardDate;
    } zones[] = {
        {"EST5EDT,M3.2.0,M11.1.0", 300, u"EST", u"EDT", -60, {3, 2, 0, 2}, {11, 1, 0, 2}},
        {"CET-1CEST,M3.5.0,M10.5.0/3", -60, u"CET", u"CEST", -60, {3, 5, 0, 2}, {10, 5, 0, 3}},
        // Dublin's winter time is its daylight time: the bias goes the other way.
        {"IST-1GMT0,M10.5.0,M3.5.0/1", -60, u"IST", u"GMT", 60, {10, 5, 0, 2}, {3, 5, 0, 1}},
        // Quoted names; -1:00 on the last Sunday is 23:00 on the last Saturday.
        {"<-02>2<-01>,M3.5.0/-1,M10.5.0/0", 120, u"-02", u"-01", -60, {3, 5, 6, 23}, {10, 5, 0, 0}},
        // 26:00 on the fourth Thursday is 02:00 on the fourth Friday.
        {"IST-2IDT,M3.4.4/26,M10.5.0", -120, u"IST", u"IDT", -60, {3, 4, 5, 2}, {10, 5, 0, 2}},
        // No dates: the C library's (United States) rules; explicit daylight offset.
        {"AAA3:30BBB2", 210, u"AAA", u"BBB", -90, {3, 2, 0, 2}, {11, 1, 0, 2}},
        // Fixed days take their weekday in the clock's year: J60 is 1 March (a Sunday in
        // 2026); 25:00 on day 299 counted from 0 is Wednesday 28 October, 01:00.
        {"AAA3BBB,J60,299/25", 180, u"AAA", u"BBB", -60, {3, 1, 0, 2}, {10, 4, 3, 1}},
        {"<+0530>-5:30", -330, u"+0530", u"+0530", 0, {}, {}},
    };
    FixClock("2026-01-15T12:00Z");
    for (const auto& zone : zones) {
        SCOPED_TRACE(zone.rule);
        UseZone(zone.rule);
        TIME_ZONE_INFORMATION information{};
        ASSERT_NE(GetTimeZoneInformation(&information), TIME_ZONE_ID_INVALID);
        EXPECT_EQ(information.Bias, zone.bias);
        EXPECT_EQ(information.DaylightBias, zone.daylightBias);
        EXPECT_EQ(std::u16string(information.StandardName), zone.standardName);
        EXPECT_EQ(std::u16string(information.DaylightName), zone.daylightName);
        EXPECT_EQ(TransitionOf(information.DaylightDate), zone.daylightDate);
        EXPECT_EQ(TransitionOf(information.StandardDate), zone.standardDate);
    }
}

TEST_F(TimeZoneRuleTest, TheClockIsInStandardOrDaylightTimeAsTheRuleSays) {
    const char* cet = "CET-1CEST,M3.5.0,M10.5.0/3";
    const char* nuuk = "<-02>2<-01>,M3.5.0/-1,M10.5.0/0";
    const char* jerusalem = "IST-2IDT,M3.4.4/26,M10.5.0";
    const char* dublin = "IST-1GMT0,M10.5.0,M3.5.0/1";
    const DWORD standard = TIME_ZONE_ID_STANDARD;
    const DWORD daylight = TIME_ZONE_ID_DAYLIGHT;
    const struct {
        const char* zone;
        const char* utc;
        DWORD which;
        WallClock local;
    } moments[] = {
        {"EST5", "1970-01-01T00:00Z", TIME_ZONE_ID_UNKNOWN, {1969, 12, 31, 19, 0, 0}},
        {"<+0530>-5:30", "2026-07-15T12:00Z", TIME_ZONE_ID_UNKNOWN, {2026, 7, 15, 17, 30, 0}},
        {cet, "2026-01-15T10:00Z", standard, {2026, 1, 15, 11, 0, 0}},
        {cet, "2026-07-15T10:00Z", daylight, {2026, 7, 15, 12, 0, 0}},
        // 29 March 2026, 01:00 UTC is 03:00 CEST: the first daylight second.
        {cet, "2026-03-29T00:59:59Z", standard, {2026, 3, 29, 1, 59, 59}},
        {cet, "2026-03-29T01:00:00Z", daylight, {2026, 3, 29, 3, 0, 0}},
        // October 2026 has four Sundays: week 5 is the last of them, the 25th.
        {cet, "2026-10-28T12:00Z", standard, {2026, 10, 28, 13, 0, 0}},
        // Nuuk leaves standard time at Saturday 28 March 2026, 23:00 local (-02).
        {nuuk, "2026-03-29T00:59:59Z", standard, {2026, 3, 28, 22, 59, 59}},
        {nuuk, "2026-03-29T01:00:00Z", daylight, {2026, 3, 29, 0, 0, 0}},
        // Jerusalem: 26:00 after Thursday 26 March 2026 is Friday 27 March, 02:00.
        {jerusalem, "2026-03-26T23:59:59Z", standard, {2026, 3, 27, 1, 59, 59}},
        {jerusalem, "2026-03-27T00:00:00Z", daylight, {2026, 3, 27, 3, 0, 0}},
        // Daylight time over the new year: Dublin's winter GMT.
        {dublin, "2026-01-15T10:00Z", daylight, {2026, 1, 15, 10, 0, 0}},
        {dublin, "2026-07-15T10:00Z", standard, {2026, 7, 15, 11, 0, 0}},
        {"AAA3BBB,J60,299/25", "2026-05-01T00:00Z", daylight, {2026, 4, 30, 22, 0, 0}},
        // J60 is 1 March in a leap year too, never 29 February.
        {"AAA3BBB,J60,299/25", "2028-02-29T12:00Z", standard, {2028, 2, 29, 9, 0, 0}},
    };
    for (const auto& moment : moments) {
        SCOPED_TRACE(std::string(moment.zone) + " at " + moment.utc);
        UseZone(moment.zone);
        FixClock(moment.utc);
        TIME_ZONE_INFORMATION information{};
        EXPECT_EQ(GetTimeZoneInformation(&information), moment.which);
        SYSTEMTIME local{};
        GetLocalTime(&local);
        EXPECT_EQ(WallClockOf(local), moment.local);
    }
}

TEST_F(TimeZoneRuleTest, MalformedRulesAreRefusedWithAnError) {
    const char* malformed[] = {
        "XYZ",                                // no offset
        "ES5",                                // name too short
        "<EST5",                              // unclosed quote
        "EST25",                              // offset beyond 24 hours
        "EST5:60",                            // minutes beyond 59
        "EST5EDT,M3.2.0",                     // end rule missing
        "EST5EDT,M13.2.0,M11.1.0",            // no month 13
        "EST5EDT,M3.6.0,M11.1.0",             // no week 6
        "EST5EDT,M3.2.7,M11.1.0",             // no weekday 7
        "EST5EDT,J0,J365",                    // Julian days start at 1
        "EST5EDT,M3.2.0/168,M11.1.0",         // transition time beyond 167 hours
        "EST5EDT,M3.2.0,M11.1.0 ",            // trailing text
        "EST5EDT,M3.2.0,M11.1.0,M12.1.0",     // a third rule
        "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEF5",  // a name too long for the fields
    };
    for (const char* rule : malformed) {
        SCOPED_TRACE(rule);
        EXPECT_FALSE(DeviceSettings::SetTimeZone(rule));
        // TZ is read the same way, and a bad one makes the call fail.
        ScopedEnvironment tz("TZ", rule);
        TIME_ZONE_INFORMATION information{};
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(GetTimeZoneInformation(&information), TIME_ZONE_ID_INVALID);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    }
    EXPECT_EQ(DeviceSettings::TimeZone(), "");
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetTimeZoneInformation(nullptr), TIME_ZONE_ID_INVALID);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(TimeZoneRuleTest, FixedClockReadsTheSameThroughEveryCall) {
    UseZone("CET-1CEST,M3.5.0,M10.5.0/3");
    FixClock("2026-12-05T16:48:59Z");
    SYSTEMTIME utc{};
    GetSystemTime(&utc);
    EXPECT_EQ(WallClockOf(utc), (WallClock{2026, 12, 5, 16, 48, 59}));
    EXPECT_EQ(utc.wDayOfWeek, 6);  // a Saturday
    EXPECT_EQ(utc.wMilliseconds, 0);

    // A time of day is local, today, and the system time follows through the zone: one
    // in daylight time all year but its first and last hours, and one without it.
    for (const auto& [zone, utcMinutes] : {std::pair{"AAA3BBB,J1/1,J365/23", 11 * 60 + 41},
                                           std::pair{"<+0530>-5:30", 4 * 60 + 11}}) {
        SCOPED_TRACE(zone);
        UseZone(zone);
        FixClock("09:41");
        SYSTEMTIME local{};
        GetLocalTime(&local);
        GetSystemTime(&utc);
        EXPECT_EQ(local.wHour * 60 + local.wMinute + local.wSecond, 9 * 60 + 41);
        EXPECT_EQ(utc.wHour * 60 + utc.wMinute, utcMinutes);
    }
}

TEST(ClockSettingTest, ParsesTimesOfDayAndUtcInstantsOnly) {
    using namespace std::chrono;
    EXPECT_EQ(ClockSetting::Parse("09:41"), ClockSetting::AtLocalTimeOfDay(9h + 41min));
    EXPECT_EQ(ClockSetting::Parse("2026-12-05T10:30Z"),
              ClockSetting::AtInstant(sys_days{2026y / December / 5} + 10h + 30min));
    EXPECT_EQ(ClockSetting::Parse("2024-02-29T23:59:59Z"),
              ClockSetting::AtInstant(sys_days{2024y / February / 29} + 23h + 59min + 59s));
    for (const char* bad :
         {"", "9:41", "24:00", "09:60", "0941", "2025-02-29T10:00Z", "2026-12-05T10:30",
          "2026-12-05 10:30Z", "2026-13-05T10:30Z", "2026-12-05T10:30:60Z", "+2026-12-05T10:30Z"}) {
        EXPECT_FALSE(ClockSetting::Parse(bad)) << bad;
    }
}

}  // namespace
