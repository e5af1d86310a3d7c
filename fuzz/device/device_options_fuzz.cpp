// The device's command line, one argument per line of the input: every option's value
// is accepted into its range or refused with a reason.
#include <sstream>

#include "device/device_option_parser.h"
#include "device/device_options.h"
#include "fuzz_target.h"

TESSALINK_FUZZ_TARGET(device_options) {
    std::vector<std::string> arguments;
    std::istringstream lines{std::string(tessalink::fuzz::Text(input))};
    for (std::string line; std::getline(lines, line);) {
        arguments.push_back(line);
    }
    platform::device::DeviceOptions options;
    const auto result = platform::device::MakeDeviceOptionParser(options).Parse(arguments);
    if (!result.error) {
        FUZZ_CHECK(options.scale >= 1 && options.scale <= 8);
        FUZZ_CHECK(options.listen.port >= 0 && options.listen.port <= 65535);
    }
}
