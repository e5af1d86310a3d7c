// GetDateFormatW and GetTimeFormatW: the device locale's forms, pictures, the TIME_*
// flags, the buffer protocol and the checks on their arguments; and the locale's formats
// as the C library states them, turned into those pictures.
#include <windows.h>

#include <string>

#include "device_settings_test_base.h"
#include "kernel/time/strftime_picture.h"
#include "kernel/time/time_locale.h"

namespace {

using platform::kernel::DeviceSettings;
using platform::kernel::PictureFromStrftime;

constexpr SYSTEMTIME kSaturdayEvening{2026, 12, 6, 5, 21, 5, 7, 0};
constexpr SYSTEMTIME kMarchMorning{2026, 3, 0, 9, 9, 5, 0, 0};
// The weekday comes from the date, whatever wDayOfWeek says; midnight is 12 AM.
constexpr SYSTEMTIME kSaturdayMidnightCalledTuesday{2026, 12, 2, 5, 0, 5, 7, 0};
// What lease times ask for.
constexpr DWORD kLeaseFlags = TIME_NOSECONDS | TIME_NOTIMEMARKER | TIME_FORCE24HOURFORMAT;

enum class Kind { Date, Time };

struct Format {
    const char* locale;
    Kind kind;
    DWORD flags;
    const char16_t* picture;
    SYSTEMTIME when;
    const char16_t* expected;
};

const Format kFormats[] = {
    {"C", Kind::Date, DATE_SHORTDATE, nullptr, kSaturdayEvening, u"12/05/26"},
    {"C", Kind::Date, 0, nullptr, kSaturdayEvening, u"12/05/26"},
    {"C", Kind::Date, DATE_LONGDATE, nullptr, kSaturdayEvening, u"Saturday, December 5, 2026"},
    {"C", Kind::Time, 0, nullptr, kSaturdayEvening, u"21:05:07"},
    {"C", Kind::Time, TIME_NOMINUTESORSECONDS, nullptr, kSaturdayEvening, u"21"},
    {"C", Kind::Time, kLeaseFlags, nullptr, kMarchMorning, u"09:05"},
    {"C", Kind::Date, 0, u"dddd, d MMM yyyy", kSaturdayEvening, u"Saturday, 5 Dec 2026"},
    {"C", Kind::Date, 0, u"ddd dd/M/y", kSaturdayEvening, u"Sat 05/12/26"},
    {"C", Kind::Date, 0, u"'Day' d 'of' MMMM", kSaturdayEvening, u"Day 5 of December"},
    {"C", Kind::Date, 0, u"d 'o''clock' h", kSaturdayEvening, u"5 o'clock h"},  // h is text
    {"C", Kind::Date, 0, u"yy-MM-dd 'open", kSaturdayEvening, u"26-12-05 open"},
    {"C", Kind::Date, 0, u"dddd", kSaturdayMidnightCalledTuesday, u"Saturday"},
    {"C", Kind::Time, 0, u"h:mm:ss tt", kSaturdayEvening, u"9:05:07 PM"},
    {"C", Kind::Time, 0, u"hh:mm t", kSaturdayEvening, u"09:05 P"},
    {"C", Kind::Time, TIME_FORCE24HOURFORMAT | TIME_NOTIMEMARKER, u"h:mm:ss tt", kSaturdayEvening,
     u"21:05:07"},
    {"C", Kind::Time, TIME_NOSECONDS, u"h:mm:ss tt", kSaturdayEvening, u"9:05 PM"},
    {"C", Kind::Time, TIME_NOTIMEMARKER, u"tt h:mm", kSaturdayEvening, u"9:05"},
    {"C", Kind::Time, TIME_NOMINUTESORSECONDS, u"H'h'mm", kSaturdayEvening, u"21"},
    {"C", Kind::Time, 0, u"HH:mm 'dd'", kSaturdayEvening, u"21:05 dd"},
    {"C", Kind::Time, 0, u"h tt", kSaturdayMidnightCalledTuesday, u"12 AM"},
    {"en_US.UTF-8", Kind::Date, DATE_SHORTDATE, nullptr, kSaturdayEvening, u"12/05/2026"},
    {"en_US.UTF-8", Kind::Time, 0, nullptr, kSaturdayEvening, u"09:05:07 PM"},
    {"de_DE.UTF-8", Kind::Date, DATE_SHORTDATE, nullptr, kMarchMorning, u"09.03.2026"},
    // The month's name comes from the locale's own character set.
    {"de_DE.UTF-8", Kind::Date, 0, u"d. MMMM yyyy", kMarchMorning, u"9. M\u00E4rz 2026"},
};

int Call(Kind kind, LCID locale, DWORD flags, const SYSTEMTIME* when, LPCWSTR picture, LPWSTR text,
         int size) {
    return kind == Kind::Date ? GetDateFormatW(locale, flags, when, picture, text, size)
                              : GetTimeFormatW(locale, flags, when, picture, text, size);
}

std::u16string Formatted(Kind kind, DWORD flags, const SYSTEMTIME* when, LPCWSTR picture = nullptr,
                         LCID locale = LOCALE_SYSTEM_DEFAULT) {
    WCHAR text[80] = {};
    EXPECT_GT(Call(kind, locale, flags, when, picture, text, 80), 0) << "error " << GetLastError();
    return text;
}

// Checks the rows of `locale`; false when the machine lacks it (a minimal system has
// only C and POSIX).
bool ExpectFormatsOf(const std::string& locale) {
    if (!DeviceSettings::SetLocale(locale)) {
        return false;
    }
    for (const Format& format : kFormats) {
        if (format.locale == locale) {
            SCOPED_TRACE(&format - kFormats);
            EXPECT_EQ(Formatted(format.kind, format.flags, &format.when, format.picture),
                      format.expected);
        }
    }
    return true;
}

using LocaleFormatTest = DeviceSettingsTestBase;

TEST_F(LocaleFormatTest, CLocaleFormsAndPicturesFollowTheFlags) {
    EXPECT_TRUE(ExpectFormatsOf("C"));
    EXPECT_EQ(Formatted(Kind::Date, 0, &kSaturdayEvening, nullptr, LOCALE_USER_DEFAULT),
              u"12/05/26");
}

TEST_F(LocaleFormatTest, InstalledLocalesHaveTheirOwnForms) {
    std::string missing;
    for (const char* locale : {"en_US.UTF-8", "de_DE.UTF-8"}) {
        missing += ExpectFormatsOf(locale) ? "" : std::string(locale) + " ";
    }
    if (!missing.empty()) {
        GTEST_SKIP() << "not installed here (see `locale -a`): " << missing;
    }
}

TEST_F(LocaleFormatTest, MissingLocaleFormatsAsCWhetherSetOrFromTheEnvironment) {
    EXPECT_FALSE(DeviceSettings::SetLocale("xx_YY.UTF-8"));
    EXPECT_EQ(Formatted(Kind::Date, DATE_SHORTDATE, &kSaturdayEvening), u"12/05/26");
    DeviceSettings::Reset();
    ScopedEnvironment all("LC_ALL", "xx_YY.UTF-8");
    EXPECT_FALSE(platform::kernel::TimeLocale::IsInstalled(""));
    EXPECT_EQ(Formatted(Kind::Date, DATE_SHORTDATE, &kSaturdayEvening), u"12/05/26");
}

TEST_F(LocaleFormatTest, BufferProtocol) {
    ASSERT_TRUE(DeviceSettings::SetLocale("C"));
    const LCID system = LOCALE_SYSTEM_DEFAULT;
    EXPECT_EQ(Call(Kind::Date, system, DATE_SHORTDATE, &kSaturdayEvening, nullptr, nullptr, 0), 9);
    EXPECT_EQ(Call(Kind::Time, system, TIME_NOSECONDS, &kSaturdayEvening, nullptr, nullptr, 0), 6);
    WCHAR exact[9];
    EXPECT_EQ(Call(Kind::Date, system, DATE_SHORTDATE, &kSaturdayEvening, nullptr, exact, 9), 9);
    EXPECT_EQ(std::u16string(exact), u"12/05/26");

    WCHAR small[8] = u"keep me";
    for (const Kind kind : {Kind::Date, Kind::Time}) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(Call(kind, system, 0, &kSaturdayEvening, nullptr, small, 8), 0);
        EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
        EXPECT_EQ(std::u16string(small), u"keep me");
    }
    for (const int badCount : {-1, 5}) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(Call(Kind::Date, system, DATE_SHORTDATE, &kSaturdayEvening, nullptr,
                       badCount < 0 ? exact : nullptr, badCount),
                  0);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    }
}

TEST_F(LocaleFormatTest, InvalidArgumentsFail) {
    const auto at = [](WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0,
                       WORD second = 0, WORD milliseconds = 0) {
        return SYSTEMTIME{year, month, 0, day, hour, minute, second, milliseconds};
    };
    const DWORD parameter = ERROR_INVALID_PARAMETER;
    const DWORD flags = ERROR_INVALID_FLAGS;
    const LCID system = LOCALE_SYSTEM_DEFAULT;
    const struct {
        Kind kind;
        LCID locale;
        DWORD flags;
        SYSTEMTIME when;
        LPCWSTR picture;
        DWORD error;
    } calls[] = {
        {Kind::Date, system, DATE_SHORTDATE, at(2026, 13, 1), nullptr, parameter},
        {Kind::Date, system, DATE_SHORTDATE, at(2026, 2, 29), nullptr, parameter},
        {Kind::Date, system, DATE_SHORTDATE, at(1600, 12, 31), nullptr, parameter},
        // A leap day is a date, and a date ignores the time fields.
        {Kind::Date, system, DATE_SHORTDATE, at(2024, 2, 29, 99), nullptr, ERROR_SUCCESS},
        {Kind::Time, system, 0, at(2026, 1, 1, 24), nullptr, parameter},
        {Kind::Time, system, 0, at(2026, 1, 1, 0, 60), nullptr, parameter},
        {Kind::Time, system, 0, at(2026, 1, 1, 0, 0, 60), nullptr, parameter},
        {Kind::Time, system, 0, at(2026, 1, 1, 0, 0, 0, 1000), nullptr, parameter},
        {Kind::Date, 0x0409, DATE_SHORTDATE, kSaturdayEvening, nullptr, parameter},
        {Kind::Date, system, DATE_SHORTDATE | DATE_LONGDATE, kSaturdayEvening, nullptr, flags},
        {Kind::Date, system, DATE_SHORTDATE, kSaturdayEvening, u"d", flags},
        {Kind::Date, system, 0x100, kSaturdayEvening, nullptr, flags},
        {Kind::Time, system, 0x100, kSaturdayEvening, nullptr, flags},
    };
    for (const auto& call : calls) {
        SCOPED_TRACE(&call - calls);
        WCHAR text[40];
        SetLastError(ERROR_SUCCESS);
        const int written =
            Call(call.kind, call.locale, call.flags, &call.when, call.picture, text, 40);
        EXPECT_EQ(written > 0, call.error == ERROR_SUCCESS);
        EXPECT_EQ(GetLastError(), call.error);
    }
}

TEST_F(LocaleFormatTest, NoTimeGivenMeansTheDeviceClock) {
    ASSERT_TRUE(DeviceSettings::SetLocale("C"));
    UseZone("CET-1CEST,M3.5.0,M10.5.0/3");
    FixClock("2026-07-15T10:00Z");
    EXPECT_EQ(Formatted(Kind::Date, DATE_SHORTDATE, nullptr), u"07/15/26");
    EXPECT_EQ(Formatted(Kind::Time, TIME_NOSECONDS, nullptr), u"12:00");
}

TEST(StrftimePictureTest, LocaleFormatsBecomePictures) {
    const struct {
        const char16_t* format;
        const char16_t* expected;
    } formats[] = {
        {u"%m/%d/%y", u"MM/dd/yy"},
        {u"%d.%m.%Y", u"dd.MM.yyyy"},
        {u"%-d/%-m/%Y", u"d/M/yyyy"},
        {u"%F", u"yyyy-MM-dd"},
        {u"%Y年%m月%d日", u"yyyy年MM月dd日"},
        {u"%e de %B de %Y", u"d' de 'MMMM' de 'yyyy"},  // text with letters is quoted
        {u"%Od/%Om/%Oy", u"dd/MM/yy"},                  // alternative digits read as plain
        {u"%H:%M:%S", u"HH:mm:ss"},
        {u"%T", u"HH:mm:ss"},
        {u"%r", u"hh:mm:ss tt"},
        {u"%r %Z", u"hh:mm:ss tt"},  // pictures have no zone
        {u"%p %l:%M", u"tt h:mm"},
        {u"%H h %M", u"HH' h 'mm"},
        {u"%%%d", u"%dd"},
    };
    for (const auto& format : formats) {
        EXPECT_EQ(PictureFromStrftime(format.format, u"%I:%M:%S %p"), format.expected)
            << "row " << &format - formats;
    }
}

TEST(StrftimePictureTest, ConversionsPicturesCannotSayAreRefused) {
    for (const char16_t* format : {u"%U", u"%d %C", u"%j", u"%", u"%d%E", u""}) {
        EXPECT_FALSE(PictureFromStrftime(format, u"%I:%M:%S %p"));
    }
    // %r must not lead to itself.
    EXPECT_FALSE(PictureFromStrftime(u"%r", u"%r"));
    EXPECT_FALSE(PictureFromStrftime(u"%r", u""));
}

}  // namespace
