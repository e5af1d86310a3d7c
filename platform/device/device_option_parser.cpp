#include "device/device_option_parser.h"

#include <charconv>

#include "kernel/time/device_zone.h"

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
    parser.AddValue("display", "window|web|headless",
                    "show the screen in a desktop window, in a web page, or keep it in memory "
                    "(default: a window when a desktop is there, else headless for a script, "
                    "else web)",
                    [&options](const std::string& value) -> std::optional<std::string> {
                        options.display = display::ParseDisplayKind(value);
                        if (!options.display) {
                            return "'" + value + "' is not a display (window, web, headless)";
                        }
                        return std::nullopt;
                    });
    parser.AddValue("listen", "PORT|ADDR:PORT",
                    "where the web display serves the screen (default 127.0.0.1:8240, or a free "
                    "port when that one is taken); an address beyond loopback asks browsers "
                    "for the token printed in the URL",
                    [&options](const std::string& value) -> std::optional<std::string> {
                        std::string error;
                        const auto address = display::ParseListenAddress(value, error);
                        if (!address) {
                            return error;
                        }
                        options.listen = *address;
                        return std::nullopt;
                    });
    parser.AddValue("scale", "N", "window pixels per screen pixel (1 to 8, default 2)",
                    [&options](const std::string& value) -> std::optional<std::string> {
                        int scale = 0;
                        const auto [end, failure] =
                            std::from_chars(value.data(), value.data() + value.size(), scale);
                        if (failure != std::errc{} || end != value.data() + value.size() ||
                            scale < 1 || scale > 8) {
                            return "'" + value + "' is not a scale from 1 to 8";
                        }
                        options.scale = scale;
                        return std::nullopt;
                    });
    parser.AddValue("script", "FILE|-",
                    "drive the device with automation commands from a file, or from standard "
                    "input as they arrive",
                    [&options](const std::string& value) -> std::optional<std::string> {
                        if (value.empty()) {
                            return "give a script file, or - for standard input";
                        }
                        options.script = value;
                        return std::nullopt;
                    });
    parser.AddValue("clock", "HH:MM|YYYY-MM-DDTHH:MM[:SS]Z",
                    "freeze the device clock at a local time of day today, or at a UTC instant",
                    [&options](const std::string& value) -> std::optional<std::string> {
                        options.clock = kernel::ClockSetting::Parse(value);
                        if (!options.clock) {
                            return "'" + value + "' is not a time (HH:MM or YYYY-MM-DDTHH:MMZ)";
                        }
                        return std::nullopt;
                    });
    parser.AddFlag("help", "show this help and exit", [&options] { options.help = true; });
    return parser;
}

}  // namespace platform::device
