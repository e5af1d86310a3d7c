// What the platform's network calls report, as the program would see it: every
// value comes through the Win32 functions (IP Helper, registry, time zone), never
// from the backend directly.
#pragma once

#include <nlohmann/json.hpp>

namespace platform::device {

// A failed call shows as {"error": CODE} in place of its part.
nlohmann::json ProbeNetwork();

}  // namespace platform::device
