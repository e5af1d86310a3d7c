#include "net/caller_buffer.h"

#include <limits>

namespace platform::net {

DWORD CheckCallerBuffer(const void* buffer, PULONG size, std::size_t needed, DWORD overflowError) {
    if (needed > std::numeric_limits<ULONG>::max()) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    if (buffer == nullptr || *size < needed) {
        *size = static_cast<ULONG>(needed);
        return overflowError;
    }
    return NO_ERROR;
}

}  // namespace platform::net
