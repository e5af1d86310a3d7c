#include "kernel/time/tz_transition_rule.h"

namespace platform::kernel {

using namespace std::chrono;

TzTransitionRule::TzTransitionRule(Form form, unsigned month, unsigned week, unsigned weekday,
                                   unsigned day, seconds time)
    : form_(form), month_(month), week_(week), weekday_(weekday), day_(day), time_(time) {}

TzTransitionRule TzTransitionRule::MonthWeekDay(unsigned month, unsigned week, unsigned weekday,
                                                seconds time) {
    return {Form::MonthWeekDay, month, week, weekday, 0, time};
}

TzTransitionRule TzTransitionRule::JulianNoLeap(unsigned day, seconds time) {
    return {Form::JulianNoLeap, 1, 1, 0, day, time};
}

TzTransitionRule TzTransitionRule::ZeroBasedDay(unsigned day, seconds time) {
    return {Form::ZeroBasedDay, 1, 1, 0, day, time};
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
