// The size check that every IP Helper query makes before it writes.
#pragma once

#include <windows.h>

#include <cstddef>

namespace platform::net {

// A missing or short buffer fails with overflowError and learns the size it needs;
// a large enough one gives NO_ERROR and is left for the caller to fill.
DWORD CheckCallerBuffer(const void* buffer, PULONG size, std::size_t needed, DWORD overflowError);

// Copies a record image (built for `buffer`) there when it fits; the call's result.
template <typename Image>
DWORD DeliverImage(const Image& image, const void* buffer, PULONG size, DWORD overflowError) {
    const DWORD result = CheckCallerBuffer(buffer, size, image.Bytes(), overflowError);
    if (result == NO_ERROR) {
        image.CopyToDestination();
    }
    return result;
}

}  // namespace platform::net
