// The host-wide network parameters: host name, DNS domain and DNS servers.
#pragma once

#include <string_view>

#include "net/host/host_paths.h"
#include "net/network_backend.h"

namespace platform::net::host {

// Never fails: whatever cannot be read is left empty.
NetworkParameters ReadHostParameters(const HostPaths& paths);

// Splits a host name the way the handheld reports it: the first label is the host,
// the rest (if any) the DNS domain, which then outranks the resolver's.
NetworkParameters ParametersFrom(std::string_view hostName, std::string_view resolverText,
                                 std::string_view upstreamResolverText);

}  // namespace platform::net::host
