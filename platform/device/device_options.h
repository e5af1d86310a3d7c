// What the device was asked to be, from its command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform::device {

struct DeviceOptions {
    std::string network = "host";  // "host", or a scenario file.
    bool probe = false;
    bool help = false;
    std::optional<std::string> timeZone;  // over the system's and the scenario's.
    std::optional<std::string> locale;
    std::vector<std::string> programArguments;
};

}  // namespace platform::device
