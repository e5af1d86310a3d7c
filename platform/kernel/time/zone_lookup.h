// The outcome of finding a zone's rule: the rule, or the Win32 error that says why not.
#pragma once

#include <optional>

#include <windows.h>

#include "kernel/time/posix_tz_rule.h"

namespace platform::kernel {

struct ZoneLookup {
    std::optional<PosixTzRule> rule;
    DWORD error = ERROR_SUCCESS;

    static ZoneLookup Found(PosixTzRule found) { return {std::move(found), ERROR_SUCCESS}; }
    static ZoneLookup Failed(DWORD why) { return {std::nullopt, why}; }
};

}  // namespace platform::kernel
