#include "net/sim/scenario_records.h"

#include <iprtrmib.h>
#include <iptypes.h>

#include "kernel/registry/registry_values.h"
#include "kernel/text/utf8.h"

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
    adapter.dhcpEnabled = true;
    node.ReadOptional("enabled", adapter.dhcpEnabled, &ScenarioNode::Bool);
    node.ReadOptional("server", adapter.dhcpServer, &ScenarioNode::Address);
    node.ReadOptional("leaseObtained", adapter.leaseObtained, &ScenarioNode::UtcTime);
    node.ReadOptional("leaseExpires", adapter.leaseExpires, &ScenarioNode::UtcTime);
}

void ReadWins(const ScenarioNode& node, AdapterState& adapter) {
    node.AllowKeys({"enabled", "primary", "secondary"});
    adapter.haveWins = true;
    node.ReadOptional("enabled", adapter.haveWins, &ScenarioNode::Bool);
    node.ReadOptional("primary", adapter.primaryWins, &ScenarioNode::Address);
    node.ReadOptional("secondary", adapter.secondaryWins, &ScenarioNode::Address);
}

}  // namespace

SimAdapter ReadAdapter(const ScenarioNode& node, std::vector<RegistryEntry>& registry) {
    node.AllowKeys({"name", "description", "index", "type", "mac", "addresses", "gateways", "dhcp",
                    "wins", "speed", "mtu", "up", "displayName"});
    SimAdapter sim;
    AdapterState& adapter = sim.adapter;
    adapter.name = node.Required("name").String();
    adapter.index = node.Required("index").Uint32();
    node.ReadOptional("description", adapter.description, &ScenarioNode::String);
    if (const auto type = node.Optional("type")) {
        adapter.type = type->NamedNumber({{"other", MIB_IF_TYPE_OTHER},
                                          {"ethernet", MIB_IF_TYPE_ETHERNET},
                                          {"ppp", MIB_IF_TYPE_PPP},
                                          {"loopback", MIB_IF_TYPE_LOOPBACK},
                                          {"wireless", IF_TYPE_IEEE80211}});
    }
    node.ReadOptional("mac", adapter.hardwareAddress, &ScenarioNode::HardwareAddress);
    if (const auto addresses = node.Optional("addresses")) {
        adapter.addresses = ReadAddresses(*addresses);
    }
    node.ReadOptional("gateways", adapter.gateways, &ScenarioNode::AddressList);
    if (const auto dhcp = node.Optional("dhcp")) {
        ReadDhcp(*dhcp, adapter);
    }
    if (const auto wins = node.Optional("wins")) {
        ReadWins(*wins, adapter);
    }
    node.ReadOptional("speed", sim.speed, &ScenarioNode::Uint32);
    node.ReadOptional("mtu", sim.mtu, &ScenarioNode::Uint32);
    node.ReadOptional("up", sim.up, &ScenarioNode::Bool);
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
