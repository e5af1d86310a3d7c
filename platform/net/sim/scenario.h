// A simulated handheld's network, as a scenario file describes it: what the IP Helper
// queries report, the registry values beside them, the device's zone and locale, and
// the faults to inject into the queries.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "kernel/registry/registry_source.h"
#include "net/network_backend.h"
#include "net/sim/sim_dhcp_server.h"
#include "net/sim/sim_icmp_network.h"
#include "net/sim/sim_names.h"

namespace platform::net::sim {

// The queries a fault can aim at, named as the program calls them.
enum class SimQuery { Adapters, Interface, Parameters, Neighbours, IcmpCreate };
inline constexpr std::size_t kSimQueryCount = 5;

struct SimAdapter {
    AdapterState adapter;
    std::uint32_t speed = 0;  // bits per second, as GetIfEntry reports it.
    std::uint32_t mtu = 1500;
    bool up = true;
};

struct RegistryEntry {
    kernel::RegistryRoot root = kernel::RegistryRoot::LocalMachine;
    std::u16string path;  // the key below its root, parts joined by '\'.
    std::u16string name;
    kernel::RegistryValue value;
};

// Every query of one kind fails, or only its Nth (counting from 1).
struct QueryFailure {
    SimQuery query = SimQuery::Adapters;
    std::uint32_t error = 0;
    std::optional<std::uint64_t> onlyCall;
};

// After each query of its table the table gains the next of these rows, until they
// are used up: a size probe and the read that follows it see different tables.
struct TableGrowth {
    std::vector<SimAdapter> adapters;
    std::vector<NeighbourRow> neighbours;
};

// The adapter with this interface index is gone, with its ARP rows, once this many
// adapter queries have been answered.
struct AdapterVanishing {
    std::uint32_t index = 0;
    std::uint64_t afterQueries = 0;
};

struct Scenario {
    std::vector<SimAdapter> adapters;
    NetworkParameters host;
    std::vector<NeighbourRow> neighbours;
    std::vector<RegistryEntry> registry;
    std::optional<std::string> timeZone;  // checked to name a zone when loaded.
    std::optional<std::string> locale;

    std::vector<QueryFailure> failures;
    TableGrowth growth;
    std::vector<AdapterVanishing> vanishings;

    std::vector<SimDhcpServer> dhcpServers;

    std::vector<SimEchoHost> echoHosts;
    SimNames names;
};

}  // namespace platform::net::sim
