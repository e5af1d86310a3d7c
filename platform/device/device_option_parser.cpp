#include "device/device_option_parser.h"

#include "kernel/device_zone.h"

namespace platform::device {

OptionParser MakeDeviceOptionParser(DeviceOptions& options) {
    OptionParser parser;
    parser.AddValue("network", "host|FILE.json",
                    "the real network (default), or the simulated one a scenario file describes",
                    [&options](const std::string& value) -> std::optional<std::string> {
                        if (value.empty()) {
                            return "give 'host' or a scenario file";
                        }
                        options.network = value;
                        return std::nullopt;
                    });
    parser.AddFlag("probe", "print what the network calls report, as JSON, and exit",
                   [&options] { options.probe = true; });
    parser.AddValue("timezone", "RULE|ZONE",
                    "the device's time zone: a POSIX rule (\"CET-1CEST,M3.5.0,M10.5.0/3\") or a "
                    "zone name (\"Europe/Berlin\")",
                    [&options](const std::string& value) -> std::optional<std::string> {
                        // Empty stands for the system's zone.
                        if (!value.empty() && !kernel::DeviceZone::Resolve(value).rule) {
                            return "'" + value + "' is neither a POSIX TZ rule nor a zone";
                        }
                        options.timeZone = value;
                        return std::nullopt;
                    });
    parser.AddValue("locale", "NAME", "the device's locale for dates and times (\"de_DE.UTF-8\")",
                    [&options](const std::string& value) -> std::optional<std::string> {
                        options.locale = value;
                        return std::nullopt;
                    });
    parser.AddFlag("help", "show this help and exit", [&options] { options.help = true; });
    return parser;
}

}  // namespace platform::device
