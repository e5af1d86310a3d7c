#include "net/host/host_parameters.h"

#include <arpa/inet.h>
#include <unistd.h>

#include <climits>

#include "net/host/resolver_config.h"
#include "net/host/small_file.h"

namespace platform::net::host {
namespace {

bool OnlyLocalStub(const std::vector<Ipv4>& servers) {
    return servers.size() == 1 && servers.front() == htonl(0x7F000035);  // 127.0.0.53
}

}  // namespace

NetworkParameters ParametersFrom(std::string_view hostName, std::string_view resolverText,
                                 std::string_view upstreamResolverText) {
    NetworkParameters parameters;
    const ResolverConfig resolver = ParseResolverConfig(resolverText);
    const std::size_t dot = hostName.find('.');
    parameters.hostName = std::string(hostName.substr(0, dot));
    parameters.domainName =
        dot == std::string_view::npos ? resolver.domain : std::string(hostName.substr(dot + 1));
    parameters.dnsServers = resolver.nameservers;
    // Under systemd-resolved the file names only its stub; the servers that
    // actually answer are in its own list. Keep the stub if that list is empty.
    if (OnlyLocalStub(parameters.dnsServers)) {
        const ResolverConfig upstream = ParseResolverConfig(upstreamResolverText);
        if (!upstream.nameservers.empty()) {
            parameters.dnsServers = upstream.nameservers;
        }
    }
    if (!parameters.dnsServers.empty()) {
        parameters.currentDnsServer = parameters.dnsServers.front();
    }
    return parameters;
}

NetworkParameters ReadHostParameters(const HostPaths& paths) {
    char hostName[HOST_NAME_MAX + 1] = {};
    if (gethostname(hostName, sizeof hostName - 1) != 0) {
        hostName[0] = '\0';
    }
    const std::string resolver = ReadSmallFile(paths.resolvConf).value_or("");
    const std::string upstream = ReadSmallFile(paths.resolvedUpstreamConf).value_or("");
    return ParametersFrom(hostName, resolver, upstream);
}

}  // namespace platform::net::host
