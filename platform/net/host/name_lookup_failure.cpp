#include "net/host/name_lookup_failure.h"

#include <windows.h>

#include <winsock2.h>

namespace platform::net::host {

std::uint32_t WsaErrorOf(LookupFailure failure) {
    switch (failure) {
        case LookupFailure::NotFound:
            return WSAHOST_NOT_FOUND;
        case LookupFailure::NoData:
            return WSANO_DATA;
        case LookupFailure::TryAgain:
            return WSATRY_AGAIN;
        case LookupFailure::NoRecovery:
            return WSANO_RECOVERY;
    }
    return WSANO_RECOVERY;
}

}  // namespace platform::net::host
