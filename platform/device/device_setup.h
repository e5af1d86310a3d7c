// Puts the device together as its options ask, before anything runs on it: the
// network, the zone and locale that override the system's and the scenario's, and the clock.
#pragma once

#include <ostream>

#include "device/device_options.h"

namespace platform::device {

// False when the device cannot be what was asked (an unusable scenario file); the
// reason has then been written to `errors`. Warnings go there too.
bool SetUpDevice(const DeviceOptions& options, std::ostream& errors);

}  // namespace platform::device
