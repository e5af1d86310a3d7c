// GetDateFormatW and GetTimeFormatW: the device locale's forms, pictures, the TIME_*
// flags, the buffer protocol and the checks on their arguments.
#include <windows.h>

#include <string>

#include "device_settings_test_base.h"
#include "kernel/time/time_locale.h"
#include "scoped_environment.h"

namespace {

using platform::kernel::DeviceSettings;

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0,
              WORD milliseconds = 0) {
    return {year, month, 0, day, hour, minute, second, milliseconds};
}

constexpr SYSTEMTIME kSaturdayEvening{2026, 12, 6, 5, 21, 5, 7, 0};
constexpr SYSTEMTIME kMarchMorning{2026, 3, 0, 9, 9, 5, 0, 0};

std::u16string Date(DWORD flags, const SYSTEMTIME& when, LPCWSTR picture = nullptr,
                    LCID locale = LOCALE_SYSTEM_DEFAULT) {
    WCHAR text[80] = {};
    const int written = GetDateFormatW(locale, flags, &when, picture, text, 80);
    EXPECT_GT(written, 0) << "error " << GetLastError();
    return text;
}

std::u16string Time(DWORD flags, const SYSTEMTIME& when, LPCWSTR picture = nullptr) {
    WCHAR text[80] = {};
    const int written = GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, flags, &when, picture, text, 80);
    EXPECT_GT(written, 0) << "error " << GetLastError();
    return text;
}

class LocaleFormatTest : public DeviceSettingsTestBase {
  protected:
    // False when the machine lacks the locale (a minimal system has only C and POSIX).
    static bool UseLocale(const std::string& name) { return DeviceSettings::SetLocale(name); }
};

TEST_F(LocaleFormatTest, CLocaleGivesUsOrderAndTwentyFourHourClock) {
    ASSERT_TRUE(DeviceSettings::SetLocale("C"));
    EXPECT_EQ(Date(DATE_SHORTDATE, kSaturdayEvening), u"12/05/26");
    EXPECT_EQ(Date(DATE_SHORTDATE, kSaturdayEvening, nullptr, LOCALE_USER_DEFAULT), u"12/05/26");
    EXPECT_EQ(Date(0, kSaturdayEvening), u"12/05/26");
    EXPECT_EQ(Date(DATE_LONGDATE, kSaturdayEvening), u"Saturday, December 5, 2026");
    EXPECT_EQ(Time(0, kSaturdayEvening), u"21:05:07");
    EXPECT_EQ(Time(TIME_NOSECONDS, kSaturdayEvening), u"21:05");
    EXPECT_EQ(Time(TIME_NOMINUTESORSECONDS, kSaturdayEvening), u"21");
    // What lease times ask for.
    EXPECT_EQ(Time(TIME_NOSECONDS | TIME_NOTIMEMARKER | TIME_FORCE24HOURFORMAT, kMarchMorning),
              u"09:05");
}

TEST_F(LocaleFormatTest, MissingLocaleFormatsAsCWhetherSetOrFromTheEnvironment) {
    EXPECT_FALSE(DeviceSettings::SetLocale("xx_YY.UTF-8"));
    EXPECT_EQ(Date(DATE_SHORTDATE, kSaturdayEvening), u"12/05/26");
    DeviceSettings::Reset();
    ScopedEnvironment all("LC_ALL", "xx_YY.UTF-8");
    EXPECT_FALSE(platform::kernel::TimeLocale::IsInstalled(""));
    EXPECT_EQ(Date(DATE_SHORTDATE, kSaturdayEvening), u"12/05/26");
}

TEST_F(LocaleFormatTest, UnitedStatesEnglish) {
    if (!UseLocale("en_US.UTF-8")) {
        GTEST_SKIP() << "en_US.UTF-8 is not installed here (see `locale -a`)";
    }
    EXPECT_EQ(Date(DATE_SHORTDATE, kSaturdayEvening), u"12/05/2026");
    EXPECT_EQ(Date(DATE_LONGDATE, kSaturdayEvening), u"Saturday, December 5, 2026");
    EXPECT_EQ(Time(0, kSaturdayEvening), u"09:05:07 PM");
    EXPECT_EQ(Time(TIME_NOSECONDS | TIME_NOTIMEMARKER | TIME_FORCE24HOURFORMAT, kSaturdayEvening),
              u"21:05");
}

TEST_F(LocaleFormatTest, German) {
    if (!UseLocale("de_DE.UTF-8")) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed here (see `locale -a`)";
    }
    EXPECT_EQ(Date(DATE_SHORTDATE, kMarchMorning), u"09.03.2026");
    // The month's name comes from the locale's own character set.
    EXPECT_EQ(Date(0, kMarchMorning, u"d. MMMM yyyy"), u"9. März 2026");
    EXPECT_EQ(Time(TIME_NOSECONDS | TIME_NOTIMEMARKER | TIME_FORCE24HOURFORMAT, kSaturdayEvening),
              u"21:05");
}

TEST_F(LocaleFormatTest, PicturesAndTimeFlags) {
    ASSERT_TRUE(DeviceSettings::SetLocale("C"));
    const struct {
        const char16_t* picture;
        const char16_t* expected;
    } dates[] = {
        {u"dddd, d MMM yyyy", u"Saturday, 5 Dec 2026"},
        {u"ddd dd/M/y", u"Sat 05/12/26"},
        {u"'Day' d 'of' MMMM", u"Day 5 of December"},
        {u"d 'o''clock' h", u"5 o'clock h"},  // h is text in a date
        {u"yy-MM-dd 'open", u"26-12-05 open"},
    };
    for (const auto& date : dates) {
        EXPECT_EQ(Date(0, kSaturdayEvening, date.picture), date.expected);
    }
    const struct {
        const char16_t* picture;
        DWORD flags;
        const char16_t* expected;
    } times[] = {
        {u"h:mm:ss tt", 0, u"9:05:07 PM"},
        {u"hh:mm t", 0, u"09:05 P"},
        {u"h:mm:ss tt", TIME_FORCE24HOURFORMAT | TIME_NOTIMEMARKER, u"21:05:07"},
        {u"h:mm:ss tt", TIME_NOSECONDS, u"9:05 PM"},
        {u"tt h:mm", TIME_NOTIMEMARKER, u"9:05"},
        {u"H'h'mm", TIME_NOMINUTESORSECONDS, u"21"},
        {u"HH:mm 'dd'", 0, u"21:05 dd"},
    };
    for (const auto& time : times) {
        EXPECT_EQ(Time(time.flags, kSaturdayEvening, time.picture), time.expected) << time.flags;
    }
    // The weekday comes from the date, whatever wDayOfWeek says; midnight is 12 AM.
    SYSTEMTIME wrongWeekday = kSaturdayEvening;
    wrongWeekday.wDayOfWeek = 2;
    wrongWeekday.wHour = 0;
    EXPECT_EQ(Date(0, wrongWeekday, u"dddd"), u"Saturday");
    EXPECT_EQ(Time(0, wrongWeekday, u"h tt"), u"12 AM");
}

TEST_F(LocaleFormatTest, BufferProtocol) {
    ASSERT_TRUE(DeviceSettings::SetLocale("C"));
    EXPECT_EQ(GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &kSaturdayEvening, nullptr,
                             nullptr, 0),
              9);
    EXPECT_EQ(GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, TIME_NOSECONDS, &kSaturdayEvening, nullptr,
                             nullptr, 0),
              6);

    WCHAR exact[9];
    EXPECT_EQ(
        GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &kSaturdayEvening, nullptr, exact, 9),
        9);
    EXPECT_EQ(std::u16string(exact), u"12/05/26");

    WCHAR small[8] = u"keep me";
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(
        GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &kSaturdayEvening, nullptr, small, 8),
        0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::u16string(small), u"keep me");
    EXPECT_EQ(GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, 0, &kSaturdayEvening, nullptr, small, 8), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

    for (const int badCount : {-1, 5}) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &kSaturdayEvening, nullptr,
                                 badCount < 0 ? exact : nullptr, badCount),
                  0);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
}

TEST_F(LocaleFormatTest, InvalidArgumentsFail) {
    WCHAR text[40];
    auto dateError = [&](LCID locale, DWORD flags, const SYSTEMTIME& when, LPCWSTR picture) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(GetDateFormatW(locale, flags, &when, picture, text, 40), 0);
        return GetLastError();
    };
    auto timeError = [&](DWORD flags, const SYSTEMTIME& when) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, flags, &when, nullptr, text, 40), 0);
        return GetLastError();
    };
    const DWORD invalidParameter = ERROR_INVALID_PARAMETER;
    const DWORD invalidFlags = ERROR_INVALID_FLAGS;
    for (const SYSTEMTIME badDate : {At(2026, 13, 1), At(2026, 0, 1), At(2026, 2, 29),
                                     At(2026, 4, 31), At(2026, 4, 0), At(1600, 12, 31)}) {
        EXPECT_EQ(dateError(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, badDate, nullptr),
                  invalidParameter)
            << badDate.wYear << "-" << badDate.wMonth << "-" << badDate.wDay;
    }
    const SYSTEMTIME leapDayBadHour = At(2024, 2, 29, 99);
    EXPECT_GT(
        GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &leapDayBadHour, nullptr, text, 40),
        0)
        << "a leap day is a date, and a date ignores the time fields";
    for (const SYSTEMTIME badTime : {At(2026, 1, 1, 24), At(2026, 1, 1, 0, 60),
                                     At(2026, 1, 1, 0, 0, 60), At(2026, 1, 1, 0, 0, 0, 1000)}) {
        EXPECT_EQ(timeError(0, badTime), invalidParameter);
    }
    EXPECT_EQ(dateError(0x0409, DATE_SHORTDATE, kSaturdayEvening, nullptr), invalidParameter);
    EXPECT_EQ(
        dateError(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE | DATE_LONGDATE, kSaturdayEvening, nullptr),
        invalidFlags);
    EXPECT_EQ(dateError(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, kSaturdayEvening, u"d"),
              invalidFlags);
    EXPECT_EQ(dateError(LOCALE_SYSTEM_DEFAULT, 0x100, kSaturdayEvening, nullptr), invalidFlags);
    EXPECT_EQ(timeError(0x100, kSaturdayEvening), invalidFlags);
}

TEST_F(LocaleFormatTest, NoTimeGivenMeansTheDeviceClock) {
    ASSERT_TRUE(DeviceSettings::SetLocale("C"));
    UseZone("CET-1CEST,M3.5.0,M10.5.0/3");
    FixClock("2026-07-15T10:00Z");
    WCHAR text[20];
    ASSERT_GT(GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, 20), 0);
    EXPECT_EQ(std::u16string(text), u"07/15/26");
    ASSERT_GT(GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, text, 20), 0);
    EXPECT_EQ(std::u16string(text), u"12:00");
}

}  // namespace
