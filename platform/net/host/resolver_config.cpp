#include "net/host/resolver_config.h"

#include "net/host/text_fields.h"

namespace platform::net::host {

ResolverConfig ParseResolverConfig(std::string_view text) {
    ResolverConfig config;
    ForEachLine(text, [&](std::string_view line) {
        const auto words = Words(line);
        // The resolver reads a line whose first word it does not know as nothing,
        // comments (# or ;) included.
        if (words.size() < 2) {
            return;
        }
        if (words[0] == "nameserver") {
            if (auto server = ParseIpv4(words[1])) {
                config.nameservers.push_back(*server);
            }
        } else if (words[0] == "domain" || words[0] == "search") {
            // A root "." (systemd-resolved writes `search .`) names no domain; a
            // trailing dot only marks the name as absolute.
            std::string_view domain = words[1];
            if (domain.ends_with('.')) {
                domain.remove_suffix(1);
            }
            config.domain = std::string(domain);
        }
    });
    return config;
}

}  // namespace platform::net::host
