// The host's own files: resolv.conf and /proc/net/arp. Every ARP row kept names an
// interface that has an index, and its type is one the IP Helper defines.
#include "fuzz_target.h"
#include "net/host/proc_net_arp.h"
#include "net/host/resolver_config.h"

TESSALINK_FUZZ_TARGET(host_files) {
    const std::string_view text = tessalink::fuzz::Text(input);
    platform::net::host::ParseResolverConfig(text);
    const auto indexOf = [](const std::string& device) -> std::uint32_t {
        return device == "eth0" ? 2 : device == "wlan0" ? 3 : 0;
    };
    for (const auto& row : platform::net::host::ParseProcNetArp(text, indexOf)) {
        FUZZ_CHECK(row.interfaceIndex == 2 || row.interfaceIndex == 3);
        FUZZ_CHECK(row.type >= 1 && row.type <= 4);
    }
}
