#include "kernel/time/posix_tz_rule.h"

#include <cctype>
#include <cstdint>

namespace platform::kernel {

using namespace std::chrono;

namespace {

constexpr std::size_t kMinNameLength = 3;
constexpr int kMaxOffsetHours = 24;
constexpr int kMaxTransitionHours = 167;

// Reads the grammar left to right; every Read* leaves the cursor after what it read and
// returns empty, with the cursor wherever, when the text does not match.
class RuleReader {
  public:
    explicit RuleReader(std::string_view text) : text_(text) {}

    bool AtEnd() const { return position_ == text_.size(); }
    bool Peek(char c) const { return !AtEnd() && text_[position_] == c; }
    bool Skip(char c) {
        if (!Peek(c)) {
            return false;
        }
        ++position_;
        return true;
    }
    bool PeekNameStart() const {
        return Peek('<') ||
               (!AtEnd() && std::isalpha(static_cast<unsigned char>(text_[position_])));
    }

    std::optional<std::string> ReadName() {
        std::string name;
        if (Skip('<')) {
            while (!AtEnd() && !Peek('>')) {
                const char c = text_[position_++];
                if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-') {
                    return std::nullopt;
                }
                name += c;
            }
            if (!Skip('>')) {
                return std::nullopt;
            }
        } else {
            while (!AtEnd() && std::isalpha(static_cast<unsigned char>(text_[position_]))) {
                name += text_[position_++];
            }
        }
        if (name.size() < kMinNameLength || name.size() > kMaxZoneNameLength) {
            return std::nullopt;
        }
        return name;
    }

    // [+|-]hh[:mm[:ss]] with hh at most maxHours.
    std::optional<seconds> ReadSignedTime(int maxHours) {
        const bool negative = Skip('-');
        if (!negative) {
            Skip('+');
        }
        const auto hours = ReadNumber(0, maxHours);
        if (!hours) {
            return std::nullopt;
        }
        seconds total = std::chrono::hours{*hours};
        if (Skip(':')) {
            const auto minutes = ReadNumber(0, 59);
            if (!minutes) {
                return std::nullopt;
            }
            total += std::chrono::minutes{*minutes};
            if (Skip(':')) {
                const auto secs = ReadNumber(0, 59);
                if (!secs) {
                    return std::nullopt;
                }
                total += seconds{*secs};
            }
        }
        return negative ? -total : total;
    }

    std::optional<int> ReadNumber(int min, int max) {
        std::int64_t value = 0;
        const std::size_t start = position_;
        while (!AtEnd() && std::isdigit(static_cast<unsigned char>(text_[position_]))) {
            value = value * 10 + (text_[position_++] - '0');
            if (value > max) {
                return std::nullopt;
            }
        }
        if (position_ == start || value < min) {
            return std::nullopt;
        }
        return static_cast<int>(value);
    }

    // Mm.w.d, Jn or n, then an optional /time (02:00 when absent).
    std::optional<TzTransitionRule> ReadTransition() {
        if (Skip('M')) {
            const auto month = ReadNumber(1, 12);
            if (!month || !Skip('.')) {
                return std::nullopt;
            }
            const auto week = ReadNumber(1, 5);
            if (!week || !Skip('.')) {
                return std::nullopt;
            }
            const auto weekday = ReadNumber(0, 6);
            const auto time = ReadTransitionTime();
            if (!weekday || !time) {
                return std::nullopt;
            }
            return TzTransitionRule::MonthWeekDay(*month, *week, *weekday, *time);
        }
        const bool julian = Skip('J');
        const auto day = julian ? ReadNumber(1, 365) : ReadNumber(0, 365);
        const auto time = ReadTransitionTime();
        if (!day || !time) {
            return std::nullopt;
        }
        return julian ? TzTransitionRule::JulianNoLeap(*day, *time)
                      : TzTransitionRule::ZeroBasedDay(*day, *time);
    }

  private:
    std::optional<seconds> ReadTransitionTime() {
        if (!Skip('/')) {
            return hours{2};
        }
        return ReadSignedTime(kMaxTransitionHours);
    }

    std::string_view text_;
    std::size_t position_ = 0;
};

}  // namespace

std::optional<PosixTzRule> PosixTzRule::Parse(std::string_view text) {
    RuleReader reader(text);
    PosixTzRule rule;
    auto standardName = reader.ReadName();
    // POSIX offsets count west of Greenwich; ours count east.
    auto standardWest = reader.ReadSignedTime(kMaxOffsetHours);
    if (!standardName || !standardWest) {
        return std::nullopt;
    }
    rule.standard_ = {std::move(*standardName), -*standardWest};
    if (reader.AtEnd()) {
        return rule;
    }

    auto daylightName = reader.ReadName();
    if (!daylightName) {
        return std::nullopt;
    }
    seconds daylightOffset = rule.standard_.utcOffset + hours{1};
    if (!reader.AtEnd() && !reader.Peek(',')) {
        const auto daylightWest = reader.ReadSignedTime(kMaxOffsetHours);
        if (!daylightWest) {
            return std::nullopt;
        }
        daylightOffset = -*daylightWest;
    }
    // Without dates glibc applies the United States' rules, and so do we, so that
    // "EST5EDT" means here what it means to every other program on the machine.
    auto start = TzTransitionRule::MonthWeekDay(3, 2, 0, hours{2});
    auto end = TzTransitionRule::MonthWeekDay(11, 1, 0, hours{2});
    if (reader.Skip(',')) {
        const auto readStart = reader.ReadTransition();
        if (!readStart || !reader.Skip(',')) {
            return std::nullopt;
        }
        const auto readEnd = reader.ReadTransition();
        if (!readEnd) {
            return std::nullopt;
        }
        start = *readStart;
        end = *readEnd;
    }
    if (!reader.AtEnd()) {
        return std::nullopt;
    }
    rule.daylight_ = DaylightTime{{std::move(*daylightName), daylightOffset}, start, end};
    return rule;
}

PosixTzRule PosixTzRule::Fixed(ZoneTime standard) {
    PosixTzRule rule;
    rule.standard_ = std::move(standard);
    return rule;
}

bool PosixTzRule::IsDaylightAt(sys_seconds instant) const {
    if (!daylight_) {
        return false;
    }
    const local_seconds standardLocal{instant.time_since_epoch() + standard_.utcOffset};
    const year y = year_month_day{floor<days>(standardLocal)}.year();
    // Both transitions as UTC instants: the start is given in standard time, the end in
    // daylight time.
    const sys_seconds start{daylight_->start.InstantIn(y).time_since_epoch() - standard_.utcOffset};
    const sys_seconds end{daylight_->end.InstantIn(y).time_since_epoch() -
                          daylight_->time.utcOffset};
    if (start < end) {
        return instant >= start && instant < end;
    }
    // Southern hemisphere: daylight time runs over the new year.
    return instant >= start || instant < end;
}

local_seconds PosixTzRule::ToLocal(sys_seconds instant) const {
    const seconds offset = IsDaylightAt(instant) ? daylight_->time.utcOffset : standard_.utcOffset;
    return local_seconds{instant.time_since_epoch() + offset};
}

}  // namespace platform::kernel
