// Finds the device's time zone: the device setting, else TZ, else /etc/localtime,
// each read as the C library reads TZ, so that our clock agrees with the host's.
#pragma once

#include <string_view>

#include "kernel/time/zone_lookup.h"

namespace platform::kernel {

class DeviceZone {
  public:
    static ZoneLookup Current();
    // A TZ value: ":NAME" names a zone file; otherwise a zone file by that name if one
    // exists (as glibc does: "CET" is a file, not a rule), else a POSIX rule.
    static ZoneLookup Resolve(std::string_view setting);
};

}  // namespace platform::kernel
