// A POSIX TZ rule as --timezone or TZ gives it.
#include <numeric>

#include "kernel/zone_check.h"

TESSALINK_FUZZ_TARGET(tz_rule) {
    const std::string_view text = tessalink::fuzz::Text(input);
    if (const auto zone = platform::kernel::PosixTzRule::Parse(text)) {
        FUZZ_CHECK(zone->standard().name.size() <= platform::kernel::kMaxZoneNameLength);
        tessalink::fuzz::CheckZone(*zone, std::accumulate(text.begin(), text.end(), 0u));
    }
}
