// IpReleaseAddress and IpRenewAddress over a real DHCP exchange: dnsmasq serves a veth
// between two namespaces the test makes, dhcpcd or dhclient is the client, and the host
// backend asks it; GetAdaptersInfo shows what came of each request.
#include <gtest/gtest.h>
#include <iphlpapi.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>

#include "dhcp_test_network.h"
#include "net/table_read.h"

namespace {

using nlohmann::json;
using tessalink::testing::DhcpClientKind;
using tessalink::testing::DhcpClientProgramName;
using tessalink::testing::DhcpTestNetwork;

// The adapter named `link` as GetAdaptersInfo reports it, or null.
json Adapter(const std::string& link) {
    const net_test::TableRead adapters = net_test::ReadAdapters();
    for (auto* info = adapters.read == NO_ERROR ? adapters.As<IP_ADAPTER_INFO>() : nullptr;
         info != nullptr; info = info->Next) {
        if (info->AdapterName == link) {
            return {{"index", info->Index},
                    {"address", info->IpAddressList.IpAddress.String},
                    {"dhcp", info->DhcpEnabled != 0},
                    {"server", info->DhcpServer.IpAddress.String},
                    {"obtained", info->LeaseObtained},
                    {"expires", info->LeaseExpires}};
        }
    }
    return nullptr;
}

bool HasLease(const json& adapter) {
    return adapter.is_object() && adapter["address"].get<std::string>().starts_with("10.71.0.");
}

// Makes the request, then re-reads the adapter until `done` says it shows what the
// request was for: the client answers at once, but may configure the address a moment
// later. The request's result and the adapter as it was last read.
json RequestUntil(decltype(IpRenewAddress)* request, const std::string& link,
                  const std::function<bool(const json&)>& done) {
    IP_ADAPTER_INDEX_MAP map = {};
    const json adapter = Adapter(link);
    map.Index = adapter.is_object() ? adapter["index"].get<DWORD>() : 0;
    const DWORD result = request(&map);
    json after = Adapter(link);
    for (int read = 0; read < 100 && !done(after); ++read) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        after = Adapter(link);
    }
    return {result, after};
}

class DhcpReleaseRenewSystemTest : public testing::TestWithParam<DhcpClientKind> {
  protected:
    void SetUp() override {
        if (auto reason = DhcpTestNetwork::UnavailableReason(GetParam())) {
            GTEST_SKIP() << *reason;
        }
        ASSERT_NO_FATAL_FAILURE(network_.Start());
    }

    // Runs `work` in the client's namespace with the backend that asks the test's client.
    json InClient(const std::function<json()>& work) {
        const auto output = network_.Client().RunInside([&] {
            network_.InstallClientBackend();
            return work().dump();
        });
        EXPECT_TRUE(output) << "the child in the namespace failed";
        return output ? json::parse(*output) : json();
    }

    DhcpTestNetwork network_{GetParam()};
};

TEST_P(DhcpReleaseRenewSystemTest, ReleaseThenRenew) {
    const std::string& link = network_.ClientLink();
    const json report = InClient([&] {
        const auto released = [](const json& adapter) { return !HasLease(adapter); };
        return json{{"before", Adapter(link)},
                    {"released", RequestUntil(IpReleaseAddress, link, released)},
                    {"renewed", RequestUntil(IpRenewAddress, link, HasLease)}};
    });
    ASSERT_TRUE(report.contains("renewed")) << report.dump(2);
    const json& before = report["before"];
    ASSERT_TRUE(HasLease(before)) << report.dump(2);
    EXPECT_EQ(before["dhcp"], true);
    EXPECT_EQ(before["server"], "10.71.0.1");
    EXPECT_GT(before["expires"], before["obtained"]);

    EXPECT_EQ(report["released"][0], NO_ERROR);
    const json& released = report["released"][1];
    EXPECT_EQ(released["address"], "0.0.0.0") << released;
    // Still an adapter DHCP configures, or it could not be renewed; the lease went with
    // the address.
    EXPECT_EQ(released["dhcp"], true);
    EXPECT_EQ(released["server"], "") << released;
    EXPECT_EQ(released["expires"], 0) << released;

    EXPECT_EQ(report["renewed"][0], NO_ERROR);
    const json& renewed = report["renewed"][1];
    EXPECT_TRUE(HasLease(renewed)) << renewed;
    EXPECT_EQ(renewed["server"], "10.71.0.1");
    EXPECT_GT(renewed["obtained"], 0);
    EXPECT_GT(renewed["expires"], renewed["obtained"]);
}

TEST_P(DhcpReleaseRenewSystemTest, RenewWhileHoldingTheLeaseKeepsOneClient) {
    const std::size_t daemons = network_.ClientDaemonCount();
    ASSERT_GT(daemons, 0u);
    for (int renewal = 0; renewal < 2; ++renewal) {
        const json renewed =
            InClient([&] { return RequestUntil(IpRenewAddress, network_.ClientLink(), HasLease); });
        ASSERT_TRUE(renewed.is_array()) << "the child in the namespace failed";
        EXPECT_EQ(renewed[0], NO_ERROR);
        EXPECT_TRUE(HasLease(renewed[1])) << renewed;
    }
    // Each renew replaced the daemon that held the lease, or asked it; a replacement
    // may still be starting while the one it replaces leaves.
    for (int wait = 0; wait < 50 && network_.ClientDaemonCount() != daemons; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(network_.ClientDaemonCount(), daemons);
}

INSTANTIATE_TEST_SUITE_P(Clients, DhcpReleaseRenewSystemTest,
                         testing::Values(DhcpClientKind::Dhcpcd, DhcpClientKind::Dhclient),
                         [](const testing::TestParamInfo<DhcpClientKind>& client) {
                             return std::string(DhcpClientProgramName(client.param));
                         });

}  // namespace
