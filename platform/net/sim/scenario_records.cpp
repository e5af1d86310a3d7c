#include "net/sim/scenario_records.h"

#include <iprtrmib.h>
#include <iptypes.h>

#include "kernel/registry_values.h"
#include "kernel/utf8.h"

namespace platform::net::sim {
namespace {

std::vector<AddressWithMask> ReadAddresses(const ScenarioNode& node) {
    std::vector<AddressWithMask> addresses;
    for (const ScenarioNode& element : node.Elements()) {
        element.AllowKeys({"address", "mask"});
        addresses.push_back(
            {element.Required("address").Address(), element.Required("mask").Address()});
    }
    return addresses;
}

void ReadDhcp(const ScenarioNode& node, AdapterState& adapter) {
    node.AllowKeys({"enabled", "server", "leaseObtained", "leaseExpires"});
    const auto enabled = node.Optional("enabled");
    adapter.dhcpEnabled = enabled ? enabled->Bool() : true;
    if (const auto server = node.Optional("server")) {
        adapter.dhcpServer = server->Address();
    }
    if (const auto obtained = node.Optional("leaseObtained")) {
        adapter.leaseObtained = obtained->UtcTime();
    }
    if (const auto expires = node.Optional("leaseExpires")) {
        adapter.leaseExpires = expires->UtcTime();
    }
}

void ReadWins(const ScenarioNode& node, AdapterState& adapter) {
    node.AllowKeys({"enabled", "primary", "secondary"});
    const auto enabled = node.Optional("enabled");
    adapter.haveWins = enabled ? enabled->Bool() : true;
    if (const auto primary = node.Optional("primary")) {
        adapter.primaryWins = primary->Address();
    }
    if (const auto secondary = node.Optional("secondary")) {
        adapter.secondaryWins = secondary->Address();
    }
}

}  // namespace

SimAdapter ReadAdapter(const ScenarioNode& node, std::vector<RegistryEntry>& registry) {
    node.AllowKeys({"name", "description", "index", "type", "mac", "addresses", "gateways", "dhcp",
                    "wins", "speed", "mtu", "up", "displayName"});
    SimAdapter sim;
    AdapterState& adapter = sim.adapter;
    adapter.name = node.Required("name").String();
    adapter.index = node.Required("index").Uint32();
    if (const auto description = node.Optional("description")) {
        adapter.description = description->String();
    }
    if (const auto type = node.Optional("type")) {
        adapter.type = type->NamedNumber({{"other", MIB_IF_TYPE_OTHER},
                                          {"ethernet", MIB_IF_TYPE_ETHERNET},
                                          {"ppp", MIB_IF_TYPE_PPP},
                                          {"loopback", MIB_IF_TYPE_LOOPBACK},
                                          {"wireless", IF_TYPE_IEEE80211}});
    }
    if (const auto mac = node.Optional("mac")) {
        adapter.hardwareAddress = mac->HardwareAddress();
    }
    if (const auto addresses = node.Optional("addresses")) {
        adapter.addresses = ReadAddresses(*addresses);
    }
    if (const auto gateways = node.Optional("gateways")) {
        adapter.gateways = gateways->AddressList();
    }
    if (const auto dhcp = node.Optional("dhcp")) {
        ReadDhcp(*dhcp, adapter);
    }
    if (const auto wins = node.Optional("wins")) {
        ReadWins(*wins, adapter);
    }
    if (const auto speed = node.Optional("speed")) {
        sim.speed = speed->Uint32();
    }
    if (const auto mtu = node.Optional("mtu")) {
        sim.mtu = mtu->Uint32();
    }
    if (const auto up = node.Optional("up")) {
        sim.up = up->Bool();
    }
    if (const auto displayName = node.Optional("displayName")) {
        registry.push_back({kernel::RegistryRoot::LocalMachine,
                            u"Comm\\" + kernel::DecodeUtf8(adapter.name).text, u"DisplayName",
                            kernel::StringValue(kernel::DecodeUtf8(displayName->String()).text)});
    }
    return sim;
}

NeighbourRow ReadNeighbour(const ScenarioNode& node) {
    node.AllowKeys({"interface", "address", "mac", "type"});
    NeighbourRow row;
    row.interfaceIndex = node.Required("interface").Uint32();
    row.address = node.Required("address").Address();
    if (const auto mac = node.Optional("mac")) {
        row.hardwareAddress = mac->HardwareAddress();
    }
    row.type = MIB_IPNET_TYPE_DYNAMIC;
    if (const auto type = node.Optional("type")) {
        row.type = type->NamedNumber({{"other", MIB_IPNET_TYPE_OTHER},
                                      {"invalid", MIB_IPNET_TYPE_INVALID},
                                      {"dynamic", MIB_IPNET_TYPE_DYNAMIC},
                                      {"static", MIB_IPNET_TYPE_STATIC}});
    }
    return row;
}

}  // namespace platform::net::sim
