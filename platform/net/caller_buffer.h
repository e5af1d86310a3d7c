// The size check that every IP Helper query makes before it writes.
#pragma once

#include <windows.h>

#include <cstddef>

namespace platform::net {

// A missing or short buffer fails with overflowError and learns the size it needs;
// a large enough one gives NO_ERROR and is left for the caller to fill.
DWORD CheckCallerBuffer(const void* buffer, PULONG size, std::size_t needed, DWORD overflowError);

}  // namespace platform::net
