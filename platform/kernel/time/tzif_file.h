// Zone files in the TZif format (RFC 8536), as /etc/localtime and /usr/share/zoneinfo
// hold them. Only what rules the present and future is read: the POSIX rule in the
// footer of a version 2+ file, else the local time type of the last transition.
#pragma once

#include <filesystem>
#include <string_view>

#include "kernel/time/zone_lookup.h"

namespace platform::kernel {

class TzifFile {
  public:
    static ZoneLookup Read(const std::filesystem::path& path);
    static ZoneLookup Parse(std::string_view bytes);
};

}  // namespace platform::kernel
