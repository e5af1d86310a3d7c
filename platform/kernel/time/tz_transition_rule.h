// When, in a year, a POSIX TZ rule switches between standard and daylight time.
#pragma once

#include <chrono>

namespace platform::kernel {

class TzTransitionRule {
  public:
    enum class Form {
        MonthWeekDay,  // Mm.w.d: day d (0 = Sunday) of week w (5 = last) of month m
        JulianNoLeap,  // Jn: day n of 1-365, February 29 never counted
        ZeroBasedDay,  // n: day n of 0-365, February 29 counted in leap years
    };

    static TzTransitionRule MonthWeekDay(unsigned month, unsigned week, unsigned weekday,
                                         std::chrono::seconds time);
    static TzTransitionRule JulianNoLeap(unsigned day, std::chrono::seconds time);
    static TzTransitionRule ZeroBasedDay(unsigned day, std::chrono::seconds time);

    Form form() const { return form_; }
    unsigned month() const { return month_; }
    unsigned week() const { return week_; }
    unsigned weekday() const { return weekday_; }
    unsigned day() const { return day_; }
    // Local wall-clock time of day; may be negative or past 24 hours (RFC 8536 allows
    // -167 to 167), which moves the transition onto another day.
    std::chrono::seconds time() const { return time_; }

    // The day the rule names in the given year, before its time is added.
    std::chrono::local_days DayIn(std::chrono::year year) const;
    // The local wall-clock instant of the transition in the given year.
    std::chrono::local_seconds InstantIn(std::chrono::year year) const;

  private:
    TzTransitionRule(Form form, unsigned month, unsigned week, unsigned weekday, unsigned day,
                     std::chrono::seconds time);

    Form form_ = Form::MonthWeekDay;
    unsigned month_ = 1;
    unsigned week_ = 1;
    unsigned weekday_ = 0;
    unsigned day_ = 0;
    std::chrono::seconds time_{0};
};

}  // namespace platform::kernel
