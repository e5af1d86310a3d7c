#include "kernel/time/device_settings.h"

#include <mutex>

#include "kernel/time/device_zone.h"
#include "kernel/time/time_locale.h"

namespace platform::kernel {

namespace {

struct Settings {
    std::string zone;
    std::string locale;
    ClockSetting clock;
};

std::mutex settingsLock;
Settings settings;

}  // namespace

bool DeviceSettings::SetTimeZone(std::string zone) {
    if (!zone.empty() && !DeviceZone::Resolve(zone).rule) {
        return false;
    }
    std::lock_guard lock(settingsLock);
    settings.zone = std::move(zone);
    return true;
}

std::string DeviceSettings::TimeZone() {
    std::lock_guard lock(settingsLock);
    return settings.zone;
}

bool DeviceSettings::SetLocale(std::string name) {
    const bool installed = TimeLocale::IsInstalled(name);
    std::lock_guard lock(settingsLock);
    settings.locale = std::move(name);
    return installed;
}

std::string DeviceSettings::Locale() {
    std::lock_guard lock(settingsLock);
    return settings.locale;
}

void DeviceSettings::SetClock(ClockSetting clock) {
    std::lock_guard lock(settingsLock);
    settings.clock = clock;
}

ClockSetting DeviceSettings::Clock() {
    std::lock_guard lock(settingsLock);
    return settings.clock;
}

void DeviceSettings::Reset() {
    std::lock_guard lock(settingsLock);
    settings = Settings{};
}

}  // namespace platform::kernel
