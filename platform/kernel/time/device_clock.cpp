#include "kernel/time/device_clock.h"

#include "kernel/time/device_settings.h"
#include "kernel/time/device_zone.h"

namespace platform::kernel {

using namespace std::chrono;

namespace {

PosixTzRule ZoneOrUtc() {
    auto zone = DeviceZone::Current();
    return zone.rule ? std::move(*zone.rule) : PosixTzRule::Fixed({"UTC", seconds{0}});
}

// The UTC instant at which the zone's clocks show `wanted`. In the hour skipped at the
// start of daylight time there is none; standard time is taken then.
sys_seconds FromLocal(const PosixTzRule& zone, local_seconds wanted) {
    const sys_seconds asStandard{wanted.time_since_epoch() - zone.standard().utcOffset};
    if (zone.daylight() && zone.IsDaylightAt(asStandard)) {
        const sys_seconds asDaylight{wanted.time_since_epoch() - zone.daylight()->time.utcOffset};
        if (zone.IsDaylightAt(asDaylight)) {
            return asDaylight;
        }
    }
    return asStandard;
}

DeviceClock::Utc Now(const ClockSetting& clock, const PosixTzRule& zone) {
    const auto host = floor<milliseconds>(system_clock::now());
    switch (clock.kind) {
        case ClockSetting::Kind::Running:
            return host;
        case ClockSetting::Kind::UtcInstant:
            return clock.instant;
        case ClockSetting::Kind::LocalTimeOfDay: {
            const local_days today = floor<days>(zone.ToLocal(floor<seconds>(host)));
            return FromLocal(zone, local_seconds{today} + clock.timeOfDay);
        }
    }
    return host;
}

DeviceClock::Local ToLocal(const PosixTzRule& zone, DeviceClock::Utc instant) {
    const auto whole = floor<seconds>(instant);
    return zone.ToLocal(whole) + (instant - whole);
}

}  // namespace

DeviceClock::Utc DeviceClock::NowUtc() {
    return Now(DeviceSettings::Clock(), ZoneOrUtc());
}

DeviceClock::Local DeviceClock::NowLocal() {
    const PosixTzRule zone = ZoneOrUtc();
    return ToLocal(zone, Now(DeviceSettings::Clock(), zone));
}

}  // namespace platform::kernel
