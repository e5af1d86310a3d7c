#include "kernel/time/date_time_picture.h"

#include <algorithm>
#include <chrono>

#include "kernel/text/locale_text.h"

namespace platform::kernel {

namespace {

constexpr std::u16string_view kDateLetters = u"dMy";
constexpr std::u16string_view kTimeLetters = u"hHmst";

std::u16string Number(unsigned value, std::size_t minimumDigits) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    if (digits.size() < minimumDigits) {
        digits.insert(0, minimumDigits - digits.size(), u'0');
    }
    return digits;
}

unsigned DayOfWeek(const SYSTEMTIME& when) {
    using namespace std::chrono;
    const year_month_day date{year{when.wYear}, month{when.wMonth}, day{when.wDay}};
    return weekday{sys_days{date}}.c_encoding();
}

std::u16string DateField(char16_t letter, std::size_t count, const SYSTEMTIME& when,
                         const TimeLocale& locale) {
    switch (letter) {
        case u'd':
            if (count >= 4) {
                return locale.dayName(DayOfWeek(when));
            }
            if (count == 3) {
                return locale.shortDayName(DayOfWeek(when));
            }
            return Number(when.wDay, count);
        case u'M':
            if (count >= 4) {
                return locale.monthName(when.wMonth - 1u);
            }
            if (count == 3) {
                return locale.shortMonthName(when.wMonth - 1u);
            }
            return Number(when.wMonth, count);
        default:  // y
            if (count >= 3) {
                return Number(when.wYear, 4);
            }
            return Number(when.wYear % 100u, count);
    }
}

std::u16string TimeField(char16_t letter, std::size_t count, const SYSTEMTIME& when,
                         const TimeLocale& locale) {
    const std::size_t digits = std::min<std::size_t>(count, 2);
    switch (letter) {
        case u'h':
            return Number(when.wHour % 12u == 0 ? 12u : when.wHour % 12u, digits);
        case u'H':
            return Number(when.wHour, digits);
        case u'm':
            return Number(when.wMinute, digits);
        case u's':
            return Number(when.wSecond, digits);
        default: {  // t
            const std::u16string& marker = when.wHour < 12 ? locale.amMarker() : locale.pmMarker();
            return count == 1 ? marker.substr(0, 1) : marker;
        }
    }
}

}  // namespace

DateTimePicture DateTimePicture::Parse(std::u16string_view picture, Kind kind) {
    const std::u16string_view letters = kind == Kind::Date ? kDateLetters : kTimeLetters;
    DateTimePicture result;
    auto literal = [&result]() -> std::u16string& {
        if (result.tokens_.empty() || result.tokens_.back().letter != 0) {
            result.tokens_.push_back({});
        }
        return result.tokens_.back().text;
    };
    for (std::size_t i = 0; i < picture.size();) {
        const char16_t c = picture[i];
        if (c == u'\'') {
            // '' inside quotes is one quote; an unclosed quote runs to the end.
            for (++i; i < picture.size(); ++i) {
                if (picture[i] == u'\'') {
                    if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
                        literal() += u'\'';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                literal() += picture[i];
            }
        } else if (letters.find(c) != std::u16string_view::npos) {
            const std::size_t start = i;
            while (i < picture.size() && picture[i] == c) {
                ++i;
            }
            result.tokens_.push_back({c, i - start, {}});
        } else {
            literal() += c;
            ++i;
        }
    }
    return result;
}

void DateTimePicture::ApplyTimeFlags(DWORD flags) {
    if (flags & TIME_NOMINUTESORSECONDS) {
        Drop(u'm');
        Drop(u's');
    }
    if (flags & TIME_NOSECONDS) {
        Drop(u's');
    }
    if (flags & TIME_NOTIMEMARKER) {
        Drop(u't');
    }
    if (flags & TIME_FORCE24HOURFORMAT) {
        for (Token& token : tokens_) {
            if (token.letter == u'h') {
                token.letter = u'H';
            }
        }
    }
}

void DateTimePicture::Drop(char16_t letter) {
    for (std::size_t i = 0; i < tokens_.size();) {
        if (tokens_[i].letter != letter) {
            ++i;
            continue;
        }
        if (i > 0 && tokens_[i - 1].letter == 0) {
            tokens_.erase(tokens_.begin() + static_cast<std::ptrdiff_t>(i) - 1,
                          tokens_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            --i;
        } else if (i + 1 < tokens_.size() && tokens_[i + 1].letter == 0) {
            tokens_.erase(tokens_.begin() + static_cast<std::ptrdiff_t>(i),
                          tokens_.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        } else {
            tokens_.erase(tokens_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

char16_t DateTimePicture::FirstFieldLetter() const {
    const auto field =
        std::find_if(tokens_.begin(), tokens_.end(), [](const Token& t) { return t.letter != 0; });
    return field == tokens_.end() ? char16_t{0} : field->letter;
}

std::u16string DateTimePicture::Format(const SYSTEMTIME& when, const TimeLocale& locale) const {
    std::u16string text;
    for (const Token& token : tokens_) {
        if (token.letter == 0) {
            text += token.text;
        } else if (kDateLetters.find(token.letter) != std::u16string_view::npos) {
            text += DateField(token.letter, token.count, when, locale);
        } else {
            text += TimeField(token.letter, token.count, when, locale);
        }
    }
    return text;
}

}  // namespace platform::kernel
