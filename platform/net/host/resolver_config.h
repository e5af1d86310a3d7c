// What the resolver configuration (resolv.conf) says about DNS.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "net/network_backend.h"

namespace platform::net::host {

struct ResolverConfig {
    std::vector<Ipv4> nameservers;  // IPv4 servers in file order; IPv6 ones are left out.
    std::string domain;  // the last `domain` line, or the first name of the last `search`.
};

ResolverConfig ParseResolverConfig(std::string_view text);

}  // namespace platform::net::host
