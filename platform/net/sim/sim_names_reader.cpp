#include "net/sim/sim_names_reader.h"

#include <set>

#include "net/ipv4_text.h"

namespace platform::net::sim {

void ReadForwardNames(const ScenarioNode& node, SimNames& names) {
    for (const auto& [name, value] : node.Members()) {
        if (name.empty()) {
            value.Complain("a name cannot be empty");
        }
        // One address, or several in the order the resolver gives them.
        std::vector<Ipv4> addresses =
            value.IsString() ? std::vector<Ipv4>{value.Address()} : value.AddressList();
        if (addresses.empty()) {
            value.Fail("an address or a non-empty array of addresses");
        }
        names.forward.emplace_back(name, std::move(addresses));
    }
}

void ReadReverseNames(const ScenarioNode& node, SimNames& names) {
    std::set<Ipv4> seen;
    for (const auto& [address, value] : node.Members()) {
        const auto parsed = ParseDottedQuad(address);
        if (!parsed) {
            value.Complain("\"" + address + "\" is not an IPv4 address such as \"192.168.1.20\"");
        }
        const std::string name = value.String();
        if (name.empty()) {
            value.Complain("a name cannot be empty");
        }
        // JSON objects may repeat a key; the parser would keep only one of them.
        if (!seen.insert(*parsed).second) {
            value.Complain("address " + address + " already has a name");
        }
        names.reverse.emplace_back(*parsed, name);
    }
}

}  // namespace platform::net::sim
