// How the device clock runs: with the host's, or frozen so that screens and tests
// come out the same at every run.
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

namespace platform::kernel {

struct ClockSetting {
    enum class Kind {
        Running,         // the host's clock
        LocalTimeOfDay,  // today's date, at a fixed local time of day
        UtcInstant,      // one fixed instant
    };

    Kind kind = Kind::Running;
    std::chrono::minutes timeOfDay{0};
    std::chrono::sys_seconds instant{};

    static ClockSetting AtLocalTimeOfDay(std::chrono::minutes sinceMidnight);
    static ClockSetting AtInstant(std::chrono::sys_seconds instant);
    // "HH:MM" (a local time of day) or "YYYY-MM-DDTHH:MM[:SS]Z" (a UTC instant); empty
    // when the text is neither or names no real time.
    static std::optional<ClockSetting> Parse(std::string_view text);

    bool operator==(const ClockSetting&) const = default;
};

}  // namespace platform::kernel
