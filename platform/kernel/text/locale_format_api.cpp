// The Win32 face of date and time formatting in the device's locale.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "kernel/time/date_time_picture.h"
#include "kernel/time/device_clock.h"
#include "kernel/time/system_time_of.h"
#include "kernel/time/time_locale.h"

using platform::kernel::DateTimePicture;
using platform::kernel::TimeLocale;

namespace {

constexpr DWORD kDateFlags = DATE_SHORTDATE | DATE_LONGDATE;
constexpr DWORD kTimeFlags =
    TIME_NOMINUTESORSECONDS | TIME_NOSECONDS | TIME_NOTIMEMARKER | TIME_FORCE24HOURFORMAT;

// The device has one locale; the two defaults are the only identifiers it answers to.
bool IsDeviceLocale(LCID locale) {
    return locale == LOCALE_SYSTEM_DEFAULT || locale == LOCALE_USER_DEFAULT;
}

bool IsValidBuffer(LPCWSTR buffer, int capacity) {
    return capacity == 0 || (capacity > 0 && buffer != nullptr);
}

bool IsValidDate(const SYSTEMTIME& when) {
    using namespace std::chrono;
    const year_month_day date{year{when.wYear}, month{when.wMonth}, day{when.wDay}};
    return when.wYear >= platform::kernel::kFirstSystemTimeYear &&
           when.wYear <= platform::kernel::kLastSystemTimeYear && date.ok();
}

bool IsValidTime(const SYSTEMTIME& when) {
    return when.wHour < 24 && when.wMinute < 60 && when.wSecond < 60 && when.wMilliseconds < 1000;
}

SYSTEMTIME TimeOrNow(const SYSTEMTIME* when) {
    return when != nullptr
               ? *when
               : platform::kernel::SystemTimeOf(platform::kernel::DeviceClock::NowLocal());
}

int FailFormat(DWORD error) {
    SetLastError(error);
    return 0;
}

// With no buffer, the size it needs; else the text, if all of it and its terminator fit.
int WriteResult(const std::u16string& text, LPWSTR buffer, int capacity) {
    const auto needed = static_cast<int>(text.size() + 1);
    if (capacity == 0) {
        return needed;
    }
    if (needed > capacity) {
        return FailFormat(ERROR_INSUFFICIENT_BUFFER);
    }
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = u'\0';
    return needed;
}

}  // namespace

extern "C" int WINAPI GetDateFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate,
                                     LPCWSTR lpFormat, LPWSTR lpDateStr, int cchDate) {
    if (!IsValidBuffer(lpDateStr, cchDate) || !IsDeviceLocale(Locale)) {
        return FailFormat(ERROR_INVALID_PARAMETER);
    }
    if ((dwFlags & ~kDateFlags) != 0 || dwFlags == kDateFlags ||
        (lpFormat != nullptr && dwFlags != 0)) {
        return FailFormat(ERROR_INVALID_FLAGS);
    }
    const SYSTEMTIME when = TimeOrNow(lpDate);
    if (!IsValidDate(when)) {
        return FailFormat(ERROR_INVALID_PARAMETER);
    }
    const TimeLocale locale = TimeLocale::Device();
    const std::u16string picture = lpFormat != nullptr              ? std::u16string(lpFormat)
                                   : (dwFlags & DATE_LONGDATE) != 0 ? locale.longDatePicture()
                                                                    : locale.shortDatePicture();
    const auto text =
        DateTimePicture::Parse(picture, DateTimePicture::Kind::Date).Format(when, locale);
    return WriteResult(text, lpDateStr, cchDate);
}

extern "C" int WINAPI GetTimeFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpTime,
                                     LPCWSTR lpFormat, LPWSTR lpTimeStr, int cchTime) {
    if (!IsValidBuffer(lpTimeStr, cchTime) || !IsDeviceLocale(Locale)) {
        return FailFormat(ERROR_INVALID_PARAMETER);
    }
    if ((dwFlags & ~kTimeFlags) != 0) {
        return FailFormat(ERROR_INVALID_FLAGS);
    }
    const SYSTEMTIME when = TimeOrNow(lpTime);
    if (!IsValidTime(when)) {
        return FailFormat(ERROR_INVALID_PARAMETER);
    }
    const TimeLocale locale = TimeLocale::Device();
    auto picture = DateTimePicture::Parse(
        lpFormat != nullptr ? std::u16string_view(lpFormat) : locale.timePicture(),
        DateTimePicture::Kind::Time);
    picture.ApplyTimeFlags(dwFlags);
    return WriteResult(picture.Format(when, locale), lpTimeStr, cchTime);
}
