// A POSIX TZ rule ("CET-1CEST,M3.5.0,M10.5.0/3"): the standard time, and the daylight
// time with the rules that start and end it.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "kernel/time/tz_transition_rule.h"

namespace platform::kernel {

// A zone's names are at most this long: longer ones would not fit TIME_ZONE_INFORMATION's
// 32-character fields.
constexpr std::size_t kMaxZoneNameLength = 31;

struct ZoneTime {
    std::string name;                  // the abbreviation, without <> quoting
    std::chrono::seconds utcOffset{};  // local time minus UTC: positive east of Greenwich
};

struct DaylightTime {
    ZoneTime time;
    TzTransitionRule start;  // in local standard time
    TzTransitionRule end;    // in local daylight time
};

class PosixTzRule {
  public:
    // Empty when the text is not a whole, well-formed rule.
    static std::optional<PosixTzRule> Parse(std::string_view text);
    static PosixTzRule Fixed(ZoneTime standard);

    const ZoneTime& standard() const { return standard_; }
    const std::optional<DaylightTime>& daylight() const { return daylight_; }

    bool IsDaylightAt(std::chrono::sys_seconds instant) const;
    std::chrono::local_seconds ToLocal(std::chrono::sys_seconds instant) const;

  private:
    ZoneTime standard_;
    std::optional<DaylightTime> daylight_;
};

}  // namespace platform::kernel
