// The host backend on a real (namespaced) network the test builds: what it reports
// must be exactly what `ip` configured.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <iprtrmib.h>
#include <iptypes.h>
#include <winerror.h>
#include <winreg.h>

#include <cstdlib>
#include <ctime>
#include <functional>
#include <nlohmann/json.hpp>

#include "net/host/host_backend.h"
#include "network_namespace.h"

namespace {

using nlohmann::json;
using platform::kernel::RegistryRoot;
using tessalink::testing::NetworkNamespace;

std::string Dotted(platform::net::Ipv4 address) {
    return inet_ntoa(in_addr{address});
}

// The backend's adapters with their interface rows, taken inside the namespace: keyed
// by name, in the backend's order, with lease times relative to now.
std::string ReportAdapters() {
    auto backend = platform::net::MakeHostBackend();
    const std::int64_t now = std::time(nullptr);
    json report = {{"order", json::array()}};
    const auto adapters = backend->Adapters();
    for (const auto& adapter : adapters.value()) {
        json addresses = json::array(), gateways = json::array();
        for (const auto& entry : adapter.addresses) {
            addresses.push_back(Dotted(entry.address) + "/" + Dotted(entry.mask));
        }
        for (const auto gateway : adapter.gateways) {
            gateways.push_back(Dotted(gateway));
        }
        const auto row = backend->Interface(adapter.index).value();
        report["adapters"][adapter.name] = {
            {"description", adapter.description},
            {"type", adapter.type},
            {"mac", adapter.hardwareAddress},
            {"addresses", addresses},
            {"gateways", gateways},
            {"dhcp", adapter.dhcpEnabled},
            {"dhcpServer", adapter.dhcpServer},
            {"mtu", row.mtu},
            {"speed", row.speed},
            {"up", row.adminUp},
            {"operational", row.operational},
            {"lease",
             {adapter.leaseObtained ? adapter.leaseObtained - now : 0,
              adapter.leaseExpires ? adapter.leaseExpires - now : 0}}};
        report["order"].push_back(adapter.name);
    }
    report["missingInterfaceError"] = backend->Interface(0x7FFFFFF0).error();
    return report.dump();
}

class HostBackendSystemTest : public testing::Test {
  protected:
    void SetUp() override {
        if (auto reason = NetworkNamespace::UnavailableReason()) {
            GTEST_SKIP() << *reason;
        }
        ASSERT_TRUE(network_.IsCreated()) << "ip netns add failed";
    }

    // Runs each `ip -n NAMESPACE ...` command, then `work` inside the namespace.
    json Inside(const std::vector<std::string>& commands,
                const std::function<std::string()>& work) {
        EXPECT_TRUE(network_.IpCommands(commands));
        const auto output = network_.RunInside(work);
        EXPECT_TRUE(output) << "the child in the namespace failed";
        return output ? json::parse(*output) : json();
    }

    NetworkNamespace network_;
};

TEST_F(HostBackendSystemTest, AdaptersAreExactlyWhatWasConfigured) {
    // tl2 gets a dynamic address whose client we cannot ask.
    const json report = Inside(
        {"link set lo up", "link add tl0 type veth peer name tl1",
         "link add tl2 type veth peer name tl3", "link set tl0 address 02:00:00:00:61:02 mtu 1400",
         "link set tl0 up", "link set tl1 up", "link set tl2 up", "addr add 10.61.0.2/24 dev tl0",
         "addr add 10.61.0.3/24 dev tl0", "addr add 192.168.77.5/16 dev tl0",
         "route add default via 10.61.0.1 dev tl0",
         "addr add 10.62.0.9/24 dev tl2 valid_lft 300 preferred_lft 300"},
        ReportAdapters);
    ASSERT_TRUE(report.contains("adapters")) << report.dump();
    const json& adapters = report["adapters"];
    ASSERT_EQ(adapters.size(), 4u) << "all but loopback: " << adapters.dump(2);
    // A veth's peer takes the lower index, so tl3, the one link left down, comes
    // before tl2 by index; it is listed last all the same.
    EXPECT_EQ(report["order"].back(), "tl3") << report["order"];

    // A veth has no driver link in sysfs: it goes by its name. Primary addresses come
    // first, then the secondary one. A veth claims 10 Gbit/s, more than the 32-bit
    // field holds.
    EXPECT_EQ(adapters["tl0"], json::parse(R"({"description": "tl0", "type": 6,
        "mac": [2, 0, 0, 0, 97, 2], "gateways": ["10.61.0.1"], "dhcp": false, "dhcpServer": 0,
        "addresses": ["10.61.0.2/255.255.255.0", "192.168.77.5/255.255.0.0",
                      "10.61.0.3/255.255.255.0"],
        "mtu": 1400, "speed": 4294967295, "up": true, "operational": true, "lease": [0, 0]})"));
    EXPECT_EQ(adapters["tl1"]["addresses"], json::array());
    EXPECT_EQ(adapters["tl1"]["gateways"], json::array());
    // Obtained when the address was set, ending with its lifetime; tl2's peer is
    // down, so tl2 has no carrier; tl3 itself was never brought up.
    const json& dynamic = adapters["tl2"];
    EXPECT_EQ(dynamic["dhcp"], true);
    EXPECT_EQ(dynamic["dhcpServer"], 0);
    EXPECT_NEAR(dynamic["lease"][0].get<double>(), 0, 5);
    EXPECT_NEAR(dynamic["lease"][1].get<double>(), 300, 5);
    EXPECT_EQ(dynamic["operational"], false);
    EXPECT_EQ(adapters["tl3"]["up"], false);
    EXPECT_EQ(report["missingInterfaceError"], ERROR_INVALID_DATA);
}

// The neighbour table as the kernel dumps it; a size probe counts the table and its
// rows serve the next read, so that the read matches the size it was told.
TEST_F(HostBackendSystemTest, NeighboursAndTheRowsAProbeHolds) {
    const json report = Inside(
        {"link add tl0 type veth peer name tl1", "link set tl0 up",
         "neigh add 10.61.0.50 lladdr 02:00:00:00:00:50 dev tl0 nud permanent",
         "neigh add 10.61.0.54 dev tl0 nud incomplete"},
        [] {
            auto backend = platform::net::MakeHostBackend();
            json table = {{"tl0", backend->Adapters().value().front().index},
                          {"probe", backend->NeighbourCount().value()}};
            table["added"] =
                std::system(
                    "ip neigh add 10.61.0.51 lladdr 02:00:00:00:00:01 dev tl0 nud permanent") == 0;
            const auto held = backend->Neighbours();
            for (const auto& row : held.value()) {
                table[Dotted(row.address)] = {row.hardwareAddress, row.type, row.interfaceIndex};
            }
            table["fresh"] = backend->Neighbours().value().size();
            return table.dump();
        });
    EXPECT_EQ(report["10.61.0.50"],
              json({{2, 0, 0, 0, 0, 0x50}, MIB_IPNET_TYPE_STATIC, report["tl0"]}));
    // Still resolving: no hardware address.
    EXPECT_EQ(report["10.61.0.54"], json({json::array(), MIB_IPNET_TYPE_INVALID, report["tl0"]}));
    EXPECT_EQ(report["probe"], 2);
    EXPECT_EQ(report["added"], true);
    EXPECT_FALSE(report.contains("10.61.0.51")) << "the probe's rows, not the table's";
    EXPECT_EQ(report["fresh"], 3) << "later reads see the table as it is";
}

TEST_F(HostBackendSystemTest, DisplayNamesFollowTheAliasLive) {
    const auto report = [] {
        auto registry = platform::net::MakeHostRegistrySource();
        const auto value = [&](const std::u16string& key, const std::u16string& name) -> json {
            const auto found = registry->Value(RegistryRoot::LocalMachine, key, name);
            return found ? json{found->type, found->data} : json();
        };
        json keys = json::array();
        for (const auto& [root, key] : {std::pair{RegistryRoot::LocalMachine, u"Comm"},
                                        {RegistryRoot::LocalMachine, u"Comm\\tl0"},
                                        {RegistryRoot::LocalMachine, u"COMM\\TL0\\"},
                                        {RegistryRoot::LocalMachine, u"Comm\\tl9"},
                                        {RegistryRoot::LocalMachine, u"Comm\\tl0\\Parms"},
                                        {RegistryRoot::CurrentUser, u"Comm\\tl0"}}) {
            keys.push_back(registry->KeyExists(root, key));
        }
        return json{{"keys", keys},
                    {"tl0", value(u"Comm\\tl0", u"DisplayName")},
                    {"tl1", value(u"Comm\\tl1", u"DisplayName")},
                    {"other", value(u"Comm\\tl0", u"Driver")}}
            .dump();
    };
    ASSERT_TRUE(network_.IpCommand("link add tl0 type veth peer name tl1"));
    ASSERT_TRUE(network_.Ip({"link", "set", "tl0", "alias", "Wi\xC3\xA9 uplink"}));
    const json before = Inside({}, report);
    EXPECT_EQ(before["keys"], json({true, true, true, false, false, false}));
    EXPECT_EQ(before["other"], nullptr);
    EXPECT_EQ(before["tl1"], nullptr);
    // "Wié uplink" as UTF-16LE with its terminator.
    json bytes = json::array();
    for (char16_t unit : std::u16string(u"Wi\u00e9 uplink") + u'\0') {
        bytes.push_back(unit & 0xFF);
        bytes.push_back(unit >> 8);
    }
    EXPECT_EQ(before["tl0"], json({REG_SZ, bytes}));

    ASSERT_TRUE(network_.IpCommand("link set tl1 alias Peer"));
    ASSERT_TRUE(network_.Ip({"link", "set", "tl0", "alias", ""}));
    const json after = Inside({}, report);
    EXPECT_EQ(after["tl0"], nullptr);
    EXPECT_EQ(after["tl1"][1].size(), (4u + 1u) * 2u);
}

}  // namespace
