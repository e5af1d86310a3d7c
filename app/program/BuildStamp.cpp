#include "program/BuildStamp.h"

#include <chrono>

namespace {

constexpr std::string_view kMonths = "JanFebMarAprMayJunJulAugSepOctNovDec";
constexpr std::string_view kWeekdays = "SunMonTueWedThuFriSat";

int Digit(char c) {
    return c >= '0' && c <= '9' ? c - '0' : -1;
}

// The number in `text`, with blanks before it allowed; -1 when it is not one.
int Number(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return -1;
    }
    int value = 0;
    for (char c : text) {
        if (Digit(c) < 0) {
            return -1;
        }
        value = value * 10 + Digit(c);
    }
    return value;
}

}  // namespace

std::string MakeBuildStamp(std::string_view date, std::string_view time) {
    if (date.size() != 11 || time.size() != 8) {
        return {};
    }
    const std::size_t month = kMonths.find(date.substr(0, 3));
    const int day = Number(date.substr(4, 2));
    const int year = Number(date.substr(7, 4));
    if (month == std::string_view::npos || month % 3 != 0 || day < 1 || year < 0) {
        return {};
    }
    const std::chrono::year_month_day ymd{std::chrono::year(year),
                                          std::chrono::month(static_cast<unsigned>(month / 3 + 1)),
                                          std::chrono::day(static_cast<unsigned>(day))};
    if (!ymd.ok()) {
        return {};
    }
    const unsigned weekday = std::chrono::weekday(std::chrono::sys_days(ymd)).c_encoding();
    // "Www Mmm dd hh:mm:ss yyyy": the compiler's day is already padded with a blank.
    std::string text;
    text.append(kWeekdays.substr(weekday * 3, 3)).append(" ");
    text.append(date.substr(0, 6)).append(" ");
    text.append(time).append(" ");
    text.append(date.substr(7, 4));
    return text;
}

std::u16string WidenBuildStamp() {
    // The moment this file was compiled, which a clean build makes the build's own.
    static const std::string stamp = MakeBuildStamp(__DATE__, __TIME__);
    return std::u16string(stamp.begin(), stamp.end());
}
