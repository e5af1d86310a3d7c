// Why a lookup found nothing, in words of its own: the resolver's codes and the
// socket library's live in headers that cannot meet in one file.
#pragma once

#include <cstdint>

namespace platform::net::host {

enum class LookupFailure {
    NotFound,    // no such name or address
    NoData,      // the name exists but has no IPv4 address
    TryAgain,    // the server did not answer in time
    NoRecovery,  // the server refused, or the name cannot be a name
};

// The WSA error code the socket library reports for it.
std::uint32_t WsaErrorOf(LookupFailure failure);

}  // namespace platform::net::host
