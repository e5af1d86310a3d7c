// The device's options, registered on one parser: a new option is one more entry in
// MakeDeviceOptionParser.
#pragma once

#include "device/device_options.h"
#include "device/option_parser.h"

namespace platform::device {

// The parser fills `options`, which must outlive it.
OptionParser MakeDeviceOptionParser(DeviceOptions& options);

}  // namespace platform::device
