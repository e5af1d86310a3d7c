// The device's own settings of zone, locale and clock, which the launcher, the
// simulated network and tests set so that the program sees a chosen handheld rather
// than the host. Each starts as "the system's" and may be changed at any time, from
// any thread.
#pragma once

#include <string>

#include "kernel/time/clock_setting.h"

namespace platform::kernel {

class DeviceSettings {
  public:
    // A POSIX TZ rule ("CET-1CEST,M3.5.0,M10.5.0/3") or a zone name ("Europe/Berlin");
    // empty means the system's (TZ, else /etc/localtime). A setting that names no zone
    // is refused: false, and the previous setting stays.
    static bool SetTimeZone(std::string zone);
    static std::string TimeZone();

    // A locale name ("de_DE.UTF-8"); empty means the system's (LC_ALL, LC_TIME, LANG).
    // A locale that is not installed is kept but formats as "C"; false says so.
    static bool SetLocale(std::string name);
    static std::string Locale();

    static void SetClock(ClockSetting clock);
    static ClockSetting Clock();

    // Everything back to the system's.
    static void Reset();
};

}  // namespace platform::kernel
