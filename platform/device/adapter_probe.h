// The adapters part of the network probe: GetAdaptersInfo, with GetIfEntry and the
// registry display name of each adapter.
#pragma once

#include <nlohmann/json.hpp>

namespace platform::device {

nlohmann::json ProbeAdapters();

}  // namespace platform::device
