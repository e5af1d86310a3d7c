// What the device was asked to be, from its command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "display/display.h"
#include "kernel/time/clock_setting.h"

namespace platform::device {

struct DeviceOptions {
    std::string network = "host";  // "host", or a scenario file.
    bool probe = false;
    bool help = false;
    std::optional<std::string> timeZone;  // over the system's and the scenario's.
    std::optional<std::string> locale;
    // Nothing: a window when a desktop is there, else headless for a script, else web.
    std::optional<display::DisplayKind> display;
    int scale = 2;
    display::ListenAddress listen;      // the web display's address
    std::optional<std::string> script;  // a file, or "-" for standard input
    std::optional<kernel::ClockSetting> clock;
    std::vector<std::string> programArguments;
};

}  // namespace platform::device
