#include "kernel/time/time_locale.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <mutex>
#include <optional>
#include <utility>

#include "kernel/text/locale_text.h"
#include "kernel/time/date_time_picture.h"
#include "kernel/time/device_settings.h"
#include "kernel/time/strftime_picture.h"

namespace platform::kernel {

namespace {

// The character set comes with LC_CTYPE, so both categories are taken from one name.
constexpr int kCategories = LC_TIME_MASK | LC_CTYPE_MASK;
constexpr const char16_t* kFallbackDatePicture = u"MM/dd/yy";
constexpr const char16_t* kFallbackTimePicture = u"HH:mm:ss";

// The locale that decides LC_TIME, by the C library's precedence.
std::string EnvironmentLocale() {
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return "C";
}

class OwnedLocale {
  public:
    explicit OwnedLocale(const std::string& name)
        : handle_(newlocale(kCategories, name.c_str(), nullptr)) {
        if (handle_ == nullptr) {
            handle_ = newlocale(kCategories, "C", nullptr);
        }
    }
    ~OwnedLocale() {
        if (handle_ != nullptr) {
            freelocale(handle_);
        }
    }
    OwnedLocale(const OwnedLocale&) = delete;
    OwnedLocale& operator=(const OwnedLocale&) = delete;

    std::u16string Text(nl_item item) const {
        if (handle_ == nullptr) {
            return {};
        }
        return DecodeLocaleText(nl_langinfo_l(item, handle_), nl_langinfo_l(CODESET, handle_));
    }

  private:
    locale_t handle_;
};

// glibc has no long date; Windows' long dates name the weekday and the month and keep
// the short date's order of day, month and year, and so does this.
std::u16string LongDatePictureLike(const std::u16string& shortDate) {
    switch (DateTimePicture::Parse(shortDate, DateTimePicture::Kind::Date).FirstFieldLetter()) {
        case u'd':
            return u"dddd, d MMMM yyyy";
        case u'y':
            return u"yyyy MMMM d, dddd";
        default:
            return u"dddd, MMMM d, yyyy";
    }
}

}  // namespace

TimeLocale::TimeLocale(const std::string& name) {
    const OwnedLocale locale(name.empty() ? EnvironmentLocale() : name);
    shortDatePicture_ = PictureFromStrftime(locale.Text(D_FMT), locale.Text(T_FMT_AMPM))
                            .value_or(kFallbackDatePicture);
    longDatePicture_ = LongDatePictureLike(shortDatePicture_);
    timePicture_ = PictureFromStrftime(locale.Text(T_FMT), locale.Text(T_FMT_AMPM))
                       .value_or(kFallbackTimePicture);
    for (unsigned i = 0; i < 7; ++i) {
        dayNames_[i] = locale.Text(DAY_1 + static_cast<nl_item>(i));
        shortDayNames_[i] = locale.Text(ABDAY_1 + static_cast<nl_item>(i));
    }
    for (unsigned i = 0; i < 12; ++i) {
        monthNames_[i] = locale.Text(MON_1 + static_cast<nl_item>(i));
        shortMonthNames_[i] = locale.Text(ABMON_1 + static_cast<nl_item>(i));
    }
    amMarker_ = locale.Text(AM_STR);
    pmMarker_ = locale.Text(PM_STR);
}

TimeLocale TimeLocale::Device() {
    // Reading a locale opens its files and converts some forty texts, and every date or
    // time the program formats asks for the device's: the last one read is kept for as
    // long as the setting and the environment name the same locale.
    const std::string setting = DeviceSettings::Locale();
    const std::string name = setting.empty() ? EnvironmentLocale() : setting;
    static std::mutex mutex;
    static std::optional<std::pair<std::string, TimeLocale>> last;
    std::lock_guard lock(mutex);
    if (!last || last->first != name) {
        last.emplace(name, TimeLocale(name));
    }
    return last->second;
}

bool TimeLocale::IsInstalled(const std::string& name) {
    const locale_t locale =
        newlocale(kCategories, name.empty() ? EnvironmentLocale().c_str() : name.c_str(), nullptr);
    if (locale == nullptr) {
        return false;
    }
    freelocale(locale);
    return true;
}

}  // namespace platform::kernel
