// A host as the resolver describes it, before the socket facade lays it out as a
// hostent.
#pragma once

#include <string>
#include <vector>

#include "net/network_backend.h"

namespace platform::net {

struct HostEntry {
    std::string name;  // the official name.
    std::vector<std::string> aliases;
    std::vector<Ipv4> addresses;  // in the resolver's order; the first is the one callers use.
};

}  // namespace platform::net
