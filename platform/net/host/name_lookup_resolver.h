// Host lookups through the C library's resolver, which follows the machine's name
// service switch: the hosts file (the one `ip netns exec` puts in place included),
// DNS and whatever else it names.
#pragma once

#include <string>

#include "net/network_backend.h"
#include "net/winsock_host_entry.h"

namespace platform::net::host {

// An empty name looks up the machine's own host name.
Query<HostEntry> LookUpHostName(const std::string& name);
Query<HostEntry> LookUpHostAddress(Ipv4 address);

}  // namespace platform::net::host
