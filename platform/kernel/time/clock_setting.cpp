#include "kernel/time/clock_setting.h"

#include <charconv>

namespace platform::kernel {

using namespace std::chrono;

namespace {

// Exactly `digits` decimal digits at `at`, or nothing.
std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t digits) {
    if (text.size() < at + digits) {
        return std::nullopt;
    }
    int value = 0;
    const char* first = text.data() + at;
    const auto [end, error] = std::from_chars(first, first + digits, value);
    if (error != std::errc{} || end != first + digits) {
        return std::nullopt;
    }
    return value;
}

std::optional<minutes> TimeOfDay(std::string_view text, std::size_t at) {
    const auto hour = Digits(text, at, 2);
    const auto minute = Digits(text, at + 3, 2);
    if (!hour || !minute || text[at + 2] != ':' || *hour > 23 || *minute > 59) {
        return std::nullopt;
    }
    return hours{*hour} + minutes{*minute};
}

}  // namespace

ClockSetting ClockSetting::AtLocalTimeOfDay(minutes sinceMidnight) {
    ClockSetting setting;
    setting.kind = Kind::LocalTimeOfDay;
    setting.timeOfDay = sinceMidnight;
    return setting;
}

ClockSetting ClockSetting::AtInstant(sys_seconds fixed) {
    ClockSetting setting;
    setting.kind = Kind::UtcInstant;
    setting.instant = fixed;
    return setting;
}

std::optional<ClockSetting> ClockSetting::Parse(std::string_view text) {
    if (text.size() == 5) {
        const auto timeOfDay = TimeOfDay(text, 0);
        if (!timeOfDay) {
            return std::nullopt;
        }
        return AtLocalTimeOfDay(*timeOfDay);
    }
    // 2026-12-05T10:30Z or 2026-12-05T10:30:15Z
    if ((text.size() != 17 && text.size() != 20) || !text.ends_with('Z') || text[4] != '-' ||
        text[7] != '-' || text[10] != 'T') {
        return std::nullopt;
    }
    const auto y = Digits(text, 0, 4);
    const auto m = Digits(text, 5, 2);
    const auto d = Digits(text, 8, 2);
    const auto timeOfDay = TimeOfDay(text, 11);
    std::optional<int> second = 0;
    if (text.size() == 20) {
        second = text[16] == ':' ? Digits(text, 17, 2) : std::nullopt;
    }
    if (!y || !m || !d || !timeOfDay || !second || *second > 59) {
        return std::nullopt;
    }
    const year_month_day date{year{*y}, month{static_cast<unsigned>(*m)},
                              day{static_cast<unsigned>(*d)}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return AtInstant(sys_days{date} + *timeOfDay + seconds{*second});
}

}  // namespace platform::kernel
