// GetSystemTime and GetLocalTime: the device clock, fixed or running, read in the
// device's zone with the zone's own rule (not the weekday-of-month approximation).
#include <windows.h>

#include <chrono>

#include "device_settings_test_base.h"

namespace {

using platform::kernel::ClockSetting;

struct WallClock {
    WORD year, month, day, hour, minute, second;
};

void ExpectWallClock(const SYSTEMTIME& actual, const WallClock& expected) {
    EXPECT_EQ(actual.wYear, expected.year);
    EXPECT_EQ(actual.wMonth, expected.month);
    EXPECT_EQ(actual.wDay, expected.day);
    EXPECT_EQ(actual.wHour, expected.hour);
    EXPECT_EQ(actual.wMinute, expected.minute);
    EXPECT_EQ(actual.wSecond, expected.second);
}

class DeviceClockTest : public DeviceSettingsTestBase {};

TEST_F(DeviceClockTest, LocalTimeFollowsTheRuleAcrossTransitions) {
    const struct {
        const char* zone;
        const char* utc;
        WallClock local;
    } moments[] = {
        {"EST5", "1970-01-01T00:00Z", {1969, 12, 31, 19, 0, 0}},
        {"CET-1CEST,M3.5.0,M10.5.0/3", "2026-01-15T10:00Z", {2026, 1, 15, 11, 0, 0}},
        {"CET-1CEST,M3.5.0,M10.5.0/3", "2026-07-15T10:00Z", {2026, 7, 15, 12, 0, 0}},
        // Nuuk leaves standard time at Saturday 28 March 2026, 23:00 local (-02).
        {"<-02>2<-01>,M3.5.0/-1,M10.5.0/0", "2026-03-29T00:59:59Z", {2026, 3, 28, 22, 59, 59}},
        {"<-02>2<-01>,M3.5.0/-1,M10.5.0/0", "2026-03-29T01:00:00Z", {2026, 3, 29, 0, 0, 0}},
        // Jerusalem: 26:00 after Thursday 26 March 2026 is Friday 27 March, 02:00.
        {"IST-2IDT,M3.4.4/26,M10.5.0", "2026-03-26T23:59:59Z", {2026, 3, 27, 1, 59, 59}},
        {"IST-2IDT,M3.4.4/26,M10.5.0", "2026-03-27T00:00:00Z", {2026, 3, 27, 3, 0, 0}},
        // Dublin's "daylight" offset is winter's: GMT in January, IST in July.
        {"IST-1GMT0,M10.5.0,M3.5.0/1", "2026-01-15T10:00Z", {2026, 1, 15, 10, 0, 0}},
        {"IST-1GMT0,M10.5.0,M3.5.0/1", "2026-07-15T10:00Z", {2026, 7, 15, 11, 0, 0}},
    };
    for (const auto& moment : moments) {
        SCOPED_TRACE(std::string(moment.zone) + " at " + moment.utc);
        UseZone(moment.zone);
        FixClock(moment.utc);
        SYSTEMTIME local{};
        GetLocalTime(&local);
        ExpectWallClock(local, moment.local);
    }
}

TEST_F(DeviceClockTest, FixedInstantIsWhatGetSystemTimeReturns) {
    UseZone("CET-1CEST,M3.5.0,M10.5.0/3");
    FixClock("2026-12-05T16:48:59Z");
    SYSTEMTIME utc{};
    GetSystemTime(&utc);
    ExpectWallClock(utc, {2026, 12, 5, 16, 48, 59});
    EXPECT_EQ(utc.wDayOfWeek, 6);  // a Saturday
    EXPECT_EQ(utc.wMilliseconds, 0);
}

TEST_F(DeviceClockTest, FixedTimeOfDayAgreesWithSystemTimeAndZone) {
    for (const char* zone : {"CET-1CEST,M3.5.0,M10.5.0/3", "<+0530>-5:30", "EST5EDT"}) {
        SCOPED_TRACE(zone);
        UseZone(zone);
        FixClock("09:41");
        SYSTEMTIME local{};
        SYSTEMTIME utc{};
        TIME_ZONE_INFORMATION information{};
        GetLocalTime(&local);
        GetSystemTime(&utc);
        const DWORD which = GetTimeZoneInformation(&information);
        EXPECT_EQ(local.wHour, 9);
        EXPECT_EQ(local.wMinute, 41);
        EXPECT_EQ(local.wSecond, 0);
        const int bias =
            information.Bias + (which == TIME_ZONE_ID_DAYLIGHT ? information.DaylightBias : 0);
        const int localMinutes = (local.wHour * 60 + local.wMinute + bias + 24 * 60) % (24 * 60);
        EXPECT_EQ(utc.wHour * 60 + utc.wMinute, localMinutes);
    }
}

TEST_F(DeviceClockTest, RunningClockIsTheHostsNow) {
    using namespace std::chrono;
    const auto before = floor<milliseconds>(system_clock::now());
    SYSTEMTIME utc{};
    GetSystemTime(&utc);
    const auto after = system_clock::now();
    const sys_time<milliseconds> read =
        sys_days{year{utc.wYear} / month{utc.wMonth} / day{utc.wDay}} + hours{utc.wHour} +
        minutes{utc.wMinute} + seconds{utc.wSecond} + milliseconds{utc.wMilliseconds};
    EXPECT_GE(read, before);
    EXPECT_LE(read, after);
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
