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
#include <nlohmann/json.hpp>
#include <thread>

#include "net/host/host_backend.h"
#include "network_namespace.h"

namespace {

using nlohmann::json;
using platform::kernel::RegistryRoot;
using tessalink::testing::NetworkNamespace;

std::string Dotted(platform::net::Ipv4 address) {
    in_addr value{address};
    return inet_ntoa(value);
}

json AdapterJson(const platform::net::AdapterState& adapter) {
    json addresses = json::array();
    for (const auto& entry : adapter.addresses) {
        addresses.push_back(Dotted(entry.address) + "/" + Dotted(entry.mask));
    }
    json gateways = json::array();
    for (const auto gateway : adapter.gateways) {
        gateways.push_back(Dotted(gateway));
    }
    return {{"name", adapter.name},
            {"description", adapter.description},
            {"index", adapter.index},
            {"type", adapter.type},
            {"mac", adapter.hardwareAddress},
            {"addresses", addresses},
            {"gateways", gateways},
            {"dhcp", adapter.dhcpEnabled},
            {"dhcpServer", Dotted(adapter.dhcpServer)},
            {"obtained", adapter.leaseObtained},
            {"expires", adapter.leaseExpires}};
}

// The backend's answers, taken inside the namespace, keyed by interface name.
std::string ReportAdaptersAndInterfaces() {
    auto backend = platform::net::MakeHostBackend();
    const auto adapters = backend->Adapters();
    if (!adapters.ok()) {
        return json{{"error", adapters.error()}}.dump();
    }
    json report = {
        {"now", std::time(nullptr)}, {"adapters", json::object()}, {"order", json::array()}};
    for (const auto& adapter : adapters.value()) {
        json entry = AdapterJson(adapter);
        const auto row = backend->Interface(adapter.index);
        if (row.ok()) {
            entry["speed"] = row.value().speed;
            entry["mtu"] = row.value().mtu;
            entry["up"] = row.value().adminUp;
            entry["operational"] = row.value().operational;
        }
        report["adapters"][adapter.name] = entry;
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

    void Configure(const std::vector<std::vector<std::string>>& commands) {
        for (const auto& command : commands) {
            std::string text;
            for (const auto& word : command) {
                text += word + " ";
            }
            ASSERT_TRUE(network_.Ip(command)) << "ip -n " << network_.Name() << " " << text;
        }
    }

    json RunInside(const std::function<std::string()>& work) {
        const auto output = network_.RunInside(work);
        EXPECT_TRUE(output) << "the child in the namespace failed";
        return output ? json::parse(*output) : json();
    }

    NetworkNamespace network_;
};

TEST_F(HostBackendSystemTest, AdaptersAreExactlyWhatWasConfigured) {
    Configure({
        {"link", "set", "lo", "up"},
        {"link", "add", "tl0", "type", "veth", "peer", "name", "tl1"},
        {"link", "add", "tl2", "type", "veth", "peer", "name", "tl3"},
        {"link", "set", "tl0", "address", "02:00:00:00:61:02", "mtu", "1400"},
        {"link", "set", "tl0", "alias", "Test uplink"},
        {"link", "set", "tl0", "up"},
        {"link", "set", "tl1", "up"},
        {"link", "set", "tl2", "up"},
        {"addr", "add", "10.61.0.2/24", "dev", "tl0"},
        {"addr", "add", "10.61.0.3/24", "dev", "tl0"},
        {"addr", "add", "192.168.77.5/16", "dev", "tl0"},
        {"route", "add", "default", "via", "10.61.0.1", "dev", "tl0"},
        // A dynamic address whose client we cannot ask.
        {"addr", "add", "10.62.0.9/24", "dev", "tl2", "valid_lft", "300", "preferred_lft", "300"},
    });
    const json report = RunInside(ReportAdaptersAndInterfaces);
    ASSERT_TRUE(report.contains("adapters")) << report.dump();
    const json& adapters = report["adapters"];
    EXPECT_FALSE(adapters.contains("lo"));
    ASSERT_EQ(adapters.size(), 4u) << adapters.dump(2);
    // A veth's peer takes the lower index, so tl3, the one link left down, comes
    // before tl2 by index; it is listed last all the same.
    EXPECT_EQ(report["order"].back(), "tl3") << report["order"];

    const json& uplink = adapters["tl0"];
    EXPECT_EQ(uplink["type"], MIB_IF_TYPE_ETHERNET);
    // A veth has no driver link in sysfs: it goes by its name.
    EXPECT_EQ(uplink["description"], "tl0");
    EXPECT_EQ(uplink["mac"], json({2, 0, 0, 0, 0x61, 2}));
    // Primary addresses first, then the secondary one.
    EXPECT_EQ(uplink["addresses"], json({"10.61.0.2/255.255.255.0", "192.168.77.5/255.255.0.0",
                                         "10.61.0.3/255.255.255.0"}));
    EXPECT_EQ(uplink["gateways"], json({"10.61.0.1"}));
    EXPECT_EQ(uplink["dhcp"], false);
    EXPECT_EQ(uplink["mtu"], 1400);
    EXPECT_EQ(uplink["up"], true);
    EXPECT_EQ(uplink["operational"], true);
    // A veth claims 10 Gbit/s, more than the 32-bit field holds.
    EXPECT_EQ(uplink["speed"], 0xFFFFFFFFu);

    const json& bare = adapters["tl1"];
    EXPECT_EQ(bare["addresses"], json::array());
    EXPECT_EQ(bare["gateways"], json::array());
    EXPECT_EQ(bare["dhcp"], false);

    const json& dynamic = adapters["tl2"];
    EXPECT_EQ(dynamic["addresses"], json({"10.62.0.9/255.255.255.0"}));
    EXPECT_EQ(dynamic["dhcp"], true);
    EXPECT_EQ(dynamic["dhcpServer"], "0.0.0.0");
    const std::int64_t now = report["now"];
    EXPECT_NEAR(dynamic["obtained"].get<double>(), now, 5);
    EXPECT_NEAR(dynamic["expires"].get<double>(), now + 300, 5);
    // tl2's peer is down, so tl2 has no carrier; tl3 itself was never brought up.
    EXPECT_EQ(dynamic["operational"], false);
    EXPECT_EQ(adapters["tl3"]["up"], false);

    EXPECT_EQ(report["missingInterfaceError"], ERROR_INVALID_DATA);
}

TEST_F(HostBackendSystemTest, NeighbourTypesFollowTheirState) {
    Configure({
        {"link", "add", "tl0", "type", "veth", "peer", "name", "tl1"},
        {"link", "set", "tl0", "up"},
        {"link", "set", "tl1", "up"},
        {"addr", "add", "10.61.0.2/24", "dev", "tl0"},
        {"neigh", "add", "10.61.0.50", "lladdr", "02:00:00:00:00:50", "dev", "tl0", "nud",
         "permanent"},
        {"neigh", "add", "10.61.0.51", "lladdr", "02:00:00:00:00:51", "dev", "tl0", "nud",
         "reachable"},
        {"neigh", "add", "10.61.0.52", "lladdr", "02:00:00:00:00:52", "dev", "tl0", "nud", "stale"},
        {"neigh", "add", "10.61.0.53", "lladdr", "02:00:00:00:00:53", "dev", "tl0", "nud", "noarp"},
        {"neigh", "add", "10.61.0.54", "dev", "tl0", "nud", "incomplete"},
    });
    const json report = RunInside([] {
        auto backend = platform::net::MakeHostBackend();
        const auto rows = backend->Neighbours();
        json table = json::object();
        for (const auto& row : rows.value()) {
            table[Dotted(row.address)] = {
                {"mac", row.hardwareAddress}, {"type", row.type}, {"index", row.interfaceIndex}};
        }
        const auto adapters = backend->Adapters();
        table["tl0"] = adapters.value().front().name == "tl0" ? adapters.value().front().index
                                                              : adapters.value().back().index;
        return table.dump();
    });
    ASSERT_TRUE(report.contains("10.61.0.50")) << report.dump(2);
    EXPECT_EQ(report["10.61.0.50"]["type"], MIB_IPNET_TYPE_STATIC);
    EXPECT_EQ(report["10.61.0.50"]["mac"], json({2, 0, 0, 0, 0, 0x50}));
    EXPECT_EQ(report["10.61.0.50"]["index"], report["tl0"]);
    EXPECT_EQ(report["10.61.0.51"]["type"], MIB_IPNET_TYPE_DYNAMIC);
    EXPECT_EQ(report["10.61.0.52"]["type"], MIB_IPNET_TYPE_DYNAMIC);
    EXPECT_EQ(report["10.61.0.53"]["type"], MIB_IPNET_TYPE_OTHER);
    // Still resolving or already failed: no hardware address either way.
    EXPECT_EQ(report["10.61.0.54"]["type"], MIB_IPNET_TYPE_INVALID);
    EXPECT_EQ(report["10.61.0.54"]["mac"], json::array());
}

// A size probe counts the table and its rows serve the same thread's next read, so
// that the read matches the size it was told; later reads see the table as it is.
TEST_F(HostBackendSystemTest, ProbedRowsServeOnlyTheProbingThreadsNextRead) {
    Configure({
        {"link", "add", "tl0", "type", "veth", "peer", "name", "tl1"},
        {"link", "set", "tl0", "up"},
        {"neigh", "add", "10.61.0.50", "lladdr", "02:00:00:00:00:50", "dev", "tl0", "nud",
         "permanent"},
    });
    const json report = RunInside([] {
        auto backend = platform::net::MakeHostBackend();
        const auto addNeighbour = [](const std::string& address) {
            return std::system(("ip neigh add " + address +
                                " lladdr 02:00:00:00:00:01 dev tl0 nud permanent")
                                   .c_str()) == 0;
        };
        json steps = json::array();
        steps.push_back(backend->NeighbourCount().value());
        steps.push_back(addNeighbour("10.61.0.51"));
        steps.push_back(backend->Neighbours().value().size());
        steps.push_back(backend->Neighbours().value().size());
        steps.push_back(backend->NeighbourCount().value());
        steps.push_back(addNeighbour("10.61.0.52"));
        std::size_t otherThread = 0;
        std::thread([&] { otherThread = backend->Neighbours().value().size(); }).join();
        steps.push_back(otherThread);
        steps.push_back(backend->Neighbours().value().size());
        return steps.dump();
    });
    // probe, add, read (the probed rows), read (fresh), probe, add, another thread's
    // read (fresh), this thread's read (its probe's rows).
    EXPECT_EQ(report, json({1, true, 1, 2, 2, true, 3, 2}));
}

std::string ReportDisplayNames() {
    auto registry = platform::net::MakeHostRegistrySource();
    const auto name = [&](const std::u16string& key) -> json {
        const auto value = registry->Value(RegistryRoot::LocalMachine, key, u"DisplayName");
        if (!value) {
            return nullptr;
        }
        return {{"type", value->type}, {"data", value->data}};
    };
    return json{
        {"comm", registry->KeyExists(RegistryRoot::LocalMachine, u"Comm")},
        {"tl0", registry->KeyExists(RegistryRoot::LocalMachine, u"Comm\\tl0")},
        {"TL0", registry->KeyExists(RegistryRoot::LocalMachine, u"COMM\\TL0\\")},
        {"missing", registry->KeyExists(RegistryRoot::LocalMachine, u"Comm\\tl9")},
        {"deeper", registry->KeyExists(RegistryRoot::LocalMachine, u"Comm\\tl0\\Parms")},
        {"user", registry->KeyExists(RegistryRoot::CurrentUser, u"Comm\\tl0")},
        {"tl0Name", name(u"Comm\\tl0")},
        {"tl1Name", name(u"Comm\\tl1")},
        {"otherValue",
         registry->Value(RegistryRoot::LocalMachine, u"Comm\\tl0", u"Driver").has_value()},
    }
        .dump();
}

TEST_F(HostBackendSystemTest, DisplayNamesFollowTheAliasLive) {
    Configure({
        {"link", "add", "tl0", "type", "veth", "peer", "name", "tl1"},
        {"link", "set", "tl0", "alias", "Wi\xC3\xA9 uplink"},
    });
    const json before = RunInside(ReportDisplayNames);
    EXPECT_EQ(before["comm"], true);
    EXPECT_EQ(before["tl0"], true);
    EXPECT_EQ(before["TL0"], true);
    EXPECT_EQ(before["missing"], false);
    EXPECT_EQ(before["deeper"], false);
    EXPECT_EQ(before["user"], false);
    EXPECT_EQ(before["otherValue"], false);
    EXPECT_EQ(before["tl1Name"], nullptr);
    EXPECT_EQ(before["tl0Name"]["type"], REG_SZ);
    // "Wié uplink" as UTF-16LE with its terminator.
    const std::u16string expected = u"Wi\u00e9 uplink";
    json bytes = json::array();
    for (char16_t unit : expected + u'\0') {
        bytes.push_back(unit & 0xFF);
        bytes.push_back(unit >> 8);
    }
    EXPECT_EQ(before["tl0Name"]["data"], bytes);

    Configure({{"link", "set", "tl1", "alias", "Peer"}, {"link", "set", "tl0", "alias", ""}});
    const json after = RunInside(ReportDisplayNames);
    EXPECT_EQ(after["tl0Name"], nullptr);
    EXPECT_EQ(after["tl1Name"]["data"].size(), (4u + 1u) * 2u);
}

}  // namespace
