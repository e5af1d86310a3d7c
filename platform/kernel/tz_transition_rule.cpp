#include "kernel/tz_transition_rule.h"

namespace platform::kernel {

using namespace std::chrono;

TzTransitionRule TzTransitionRule::MonthWeekDay(unsigned month, unsigned week, unsigned weekday,
                                                seconds time) {
    TzTransitionRule rule;
    rule.form_ = Form::MonthWeekDay;
    rule.month_ = month;
    rule.week_ = week;
    rule.weekday_ = weekday;
    rule.time_ = time;
    return rule;
}

TzTransitionRule TzTransitionRule::JulianNoLeap(unsigned day, seconds time) {
    TzTransitionRule rule;
    rule.form_ = Form::JulianNoLeap;
    rule.day_ = day;
    rule.time_ = time;
    return rule;
}

TzTransitionRule TzTransitionRule::ZeroBasedDay(unsigned day, seconds time) {
    TzTransitionRule rule;
    rule.form_ = Form::ZeroBasedDay;
    rule.day_ = day;
    rule.time_ = time;
    return rule;
}

local_days TzTransitionRule::DayIn(year y) const {
    const local_days newYear{y / January / 1};
    switch (form_) {
        case Form::MonthWeekDay: {
            // Qualified: this class's accessors hide the calendar types.
            const std::chrono::weekday wd{weekday_};
            const std::chrono::month m{month_};
            if (week_ >= 5) {
                return local_days{y / m / wd[last]};
            }
            return local_days{y / m / wd[week_]};
        }
        case Form::JulianNoLeap: {
            // Day 60 is always March 1: in a leap year every day from March on moves by one.
            const bool afterFebruary = day_ >= 60;
            return newYear + days{day_ - 1 + (afterFebruary && y.is_leap() ? 1 : 0)};
        }
        case Form::ZeroBasedDay:
            return newYear + days{day_};
    }
    return newYear;
}

local_seconds TzTransitionRule::InstantIn(year y) const {
    return local_seconds{DayIn(y)} + time_;
}

}  // namespace platform::kernel
