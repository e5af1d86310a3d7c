// The MIB_IFROW of GetIfEntry.
#pragma once

#include <iprtrmib.h>

#include "net/network_backend.h"

namespace platform::net {

// Replaces every field of the row with the interface's state; traffic counters,
// which no backend keeps, read 0.
void FillIfRow(MIB_IFROW& row, const InterfaceState& state);

}  // namespace platform::net
