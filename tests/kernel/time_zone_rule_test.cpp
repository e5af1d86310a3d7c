// GetTimeZoneInformation for zones given as POSIX rules: the mapping to the
// weekday-of-month form, the return value at the device clock, and refusal of bad rules.
#include <windows.h>

#include <string>

#include "device_settings_test_base.h"
#include "scoped_environment.h"

namespace {

// Transitions fall on the hour in every zone here.
struct Transition {
    WORD month, week, dayOfWeek, hour;
};

struct ZoneCase {
    const char* rule;
    LONG bias;
    const char16_t* standardName;
    const char16_t* daylightName;
    LONG daylightBias;
    Transition daylightDate;
    Transition standardDate;
};

void ExpectTransition(const SYSTEMTIME& actual, const Transition& expected, const char* what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(actual.wYear, 0);
    EXPECT_EQ(actual.wMonth, expected.month);
    EXPECT_EQ(actual.wDay, expected.week);
    EXPECT_EQ(actual.wDayOfWeek, expected.dayOfWeek);
    EXPECT_EQ(actual.wHour, expected.hour);
    EXPECT_EQ(actual.wMinute, 0);
    EXPECT_EQ(actual.wSecond, 0);
}

class TimeZoneRuleTest : public DeviceSettingsTestBase {};

TEST_F(TimeZoneRuleTest, RulesMapToTheWeekdayOfMonthForm) {
    const ZoneCase cases[] = {
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
    };
    FixClock("2026-01-15T12:00Z");
    for (const auto& zone : cases) {
        SCOPED_TRACE(zone.rule);
        UseZone(zone.rule);
        TIME_ZONE_INFORMATION information{};
        ASSERT_NE(GetTimeZoneInformation(&information), TIME_ZONE_ID_INVALID);
        EXPECT_EQ(information.Bias, zone.bias);
        EXPECT_EQ(information.StandardBias, 0);
        EXPECT_EQ(information.DaylightBias, zone.daylightBias);
        EXPECT_EQ(std::u16string(information.StandardName), zone.standardName);
        EXPECT_EQ(std::u16string(information.DaylightName), zone.daylightName);
        ExpectTransition(information.DaylightDate, zone.daylightDate, "DaylightDate");
        ExpectTransition(information.StandardDate, zone.standardDate, "StandardDate");
    }
}

TEST_F(TimeZoneRuleTest, ZonesWithoutDaylightTimeHaveNoTransitions) {
    FixClock("2026-07-15T12:00Z");
    UseZone("<+0530>-5:30");
    TIME_ZONE_INFORMATION information{};
    EXPECT_EQ(GetTimeZoneInformation(&information), TIME_ZONE_ID_UNKNOWN);
    EXPECT_EQ(information.Bias, -330);
    EXPECT_EQ(information.DaylightBias, 0);
    EXPECT_EQ(information.StandardDate.wMonth, 0);
    EXPECT_EQ(information.DaylightDate.wMonth, 0);
    EXPECT_EQ(std::u16string(information.StandardName), u"+0530");
}

TEST_F(TimeZoneRuleTest, ReturnValueSaysWhichTimeTheDeviceClockIsIn) {
    struct Moment {
        const char* zone;
        const char* clock;
        DWORD expected;
    };
    const Moment moments[] = {
        {"CET-1CEST,M3.5.0,M10.5.0/3", "2026-01-15T12:00Z", TIME_ZONE_ID_STANDARD},
        {"CET-1CEST,M3.5.0,M10.5.0/3", "2026-07-15T12:00Z", TIME_ZONE_ID_DAYLIGHT},
        // 29 March 2026, 01:00 UTC is 03:00 CEST: the first daylight second.
        {"CET-1CEST,M3.5.0,M10.5.0/3", "2026-03-29T00:59:59Z", TIME_ZONE_ID_STANDARD},
        {"CET-1CEST,M3.5.0,M10.5.0/3", "2026-03-29T01:00:00Z", TIME_ZONE_ID_DAYLIGHT},
        // Southern hemisphere: daylight time runs over the new year.
        {"AEST-10AEDT,M10.1.0,M4.1.0/3", "2026-01-15T12:00Z", TIME_ZONE_ID_DAYLIGHT},
        {"AEST-10AEDT,M10.1.0,M4.1.0/3", "2026-07-15T12:00Z", TIME_ZONE_ID_STANDARD},
        {"AAA3BBB,J60,299/25", "2026-05-01T00:00Z", TIME_ZONE_ID_DAYLIGHT},
    };
    for (const auto& moment : moments) {
        SCOPED_TRACE(std::string(moment.zone) + " at " + moment.clock);
        UseZone(moment.zone);
        FixClock(moment.clock);
        TIME_ZONE_INFORMATION information{};
        EXPECT_EQ(GetTimeZoneInformation(&information), moment.expected);
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
        EXPECT_FALSE(platform::kernel::DeviceSettings::SetTimeZone(rule));
        // TZ is read the same way, and a bad one makes the call fail.
        ScopedEnvironment tz("TZ", rule);
        TIME_ZONE_INFORMATION information{};
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(GetTimeZoneInformation(&information), TIME_ZONE_ID_INVALID);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    }
    EXPECT_EQ(platform::kernel::DeviceSettings::TimeZone(), "");
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetTimeZoneInformation(nullptr), TIME_ZONE_ID_INVALID);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
