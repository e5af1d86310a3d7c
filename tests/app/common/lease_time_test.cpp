// Lease times as local time in the device's zone, daylight rule included, and as text.
#include <gtest/gtest.h>

#include <string>

#include "common/LeaseTime.h"
#include "kernel/time/device_settings.h"

namespace {

using platform::kernel::DeviceSettings;

constexpr const char* kNorthern = "XST5XDT,M4.1.0/2,M10.5.0/2";
constexpr const char* kSouthern = "XST-10XDT,M10.1.0/2,M4.1.0/3";

struct LocalTimeCase {
    const char* zone;
    DWORD seconds;
    LONG year, month, day, hour, minute;
};

class LeaseTimeTest : public ::testing::Test {
  protected:
    void TearDown() override { DeviceSettings::Reset(); }

    // A converter of its own per zone: each fetches its zone once, at first use.
    static BrokenDownTime LocalTimeIn(const char* zone, DWORD seconds) {
        EXPECT_TRUE(DeviceSettings::SetTimeZone(zone)) << zone;
        LeaseTime converter;
        return converter.LocalTimeOf(seconds);
    }
};

TEST_F(LeaseTimeTest, LocalTimeFollowsTheZoneAndItsDaylightRule) {
    const LocalTimeCase cases[] = {
        // An adapter without a lease: the epoch, five hours west.
        {"XST5", 0, 1969, 12, 31, 19, 0},
        // First Sunday of April to last Sunday of October, one hour ahead.
        {kNorthern, 1689440400, 2023, 7, 15, 13, 0},   // 15 July 12:00 standard
        {kNorthern, 1673802000, 2023, 1, 15, 12, 0},   // 15 January 12:00
        {kNorthern, 1680418799, 2023, 4, 2, 1, 59},    // just before the start
        {kNorthern, 1680418800, 2023, 4, 2, 3, 0},     // the start, 02:00 standard
        {kNorthern, 1698559140, 2023, 10, 29, 1, 59},  // the end is 02:00 daylight time
        {kNorthern, 1698559200, 2023, 10, 29, 1, 0},
        // Daylight time across the new year, as in the southern hemisphere.
        {kSouthern, 1673748000, 2023, 1, 15, 13, 0},
        {kSouthern, 1689386400, 2023, 7, 15, 12, 0},
        // Daylight time an hour behind, ending at 23:30 of its own clock: in standard
        // time the end is kept on its day and wraps to just after 00:30.
        {"XST5XDT6,M4.1.0/2,M10.5.0/23:30", 1698557400, 2023, 10, 28, 23, 30},
        // A daylight time no different from standard time changes nothing.
        {"XST5XDT5,M4.1.0/2,M10.5.0/2", 1689440400, 2023, 7, 15, 12, 0},
        // April 2023 has four Wednesdays: "week 5" is the last of them, the 26th.
        {"XST5XDT,M4.5.3/2,M10.5.0/2", 1682528400, 2023, 4, 26, 13, 0},
        {"XST5XDT,M4.5.3/2,M10.5.0/2", 1682442000, 2023, 4, 25, 12, 0},
    };
    for (const LocalTimeCase& c : cases) {
        const BrokenDownTime local = LocalTimeIn(c.zone, c.seconds);
        const std::string where = std::string(c.zone) + " at " + std::to_string(c.seconds);
        EXPECT_EQ(local.year + 1900, c.year) << where;
        EXPECT_EQ(local.month + 1, c.month) << where;
        EXPECT_EQ(local.dayOfMonth, c.day) << where;
        EXPECT_EQ(local.hour, c.hour) << where;
        EXPECT_EQ(local.minute, c.minute) << where;
        EXPECT_EQ(local.daylight, 0) << where;
    }
}

TEST_F(LeaseTimeTest, WeekdayAndDayOfYearCountFromSundayAndTheFirstOfJanuary) {
    const BrokenDownTime epoch = LocalTimeIn("XST5", 42);
    EXPECT_EQ(epoch.dayOfWeek, 3);  // a Wednesday
    EXPECT_EQ(epoch.dayOfYear, 364);
    EXPECT_EQ(epoch.second, 42);
    SYSTEMTIME lastOfLeapYear = {2024, 12, 0, 31, 23, 59, 59, 999};
    EXPECT_EQ(LeaseTime::DayOfYear(lastOfLeapYear), 365);
}

TEST_F(LeaseTimeTest, FormattedTextIsShortDateBlankAnd24HourTime) {
    BrokenDownTime afternoon = LocalTimeIn(kNorthern, 1689440400 + 5 * 3600 + 7 * 60 + 30);
    WCHAR text[kLeaseTextLength] = {};
    FormatLeaseTime(afternoon, text);
    SYSTEMTIME date = {2023, 7, 0, 15, 0, 0, 0, 0};
    WCHAR expected[20] = {};
    ASSERT_GT(GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &date, nullptr, expected, 20),
              0);
    EXPECT_EQ(std::u16string(text), std::u16string(expected) + u" 18:07");

    // A date the locale cannot format leaves its part empty: nothing of the text that
    // was in the buffer before shows through.
    BrokenDownTime noDate = afternoon;
    noDate.dayOfMonth = 0;
    FormatLeaseTime(noDate, text);
    EXPECT_EQ(std::u16string(text), u" 18:07");
}

}  // namespace
