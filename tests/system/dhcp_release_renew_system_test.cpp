// Release and renew over a real DHCP exchange: dnsmasq serves a veth between two
// namespaces the test makes, dhcpcd or dhclient is the client, and the program's
// ReleaseLease and RenewLease drive it through the IP Helper requests and the host
// backend.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "adapters/DhcpLease.h"
#include "common/AdapterSnapshot.h"
#include "dhcp_test_network.h"

namespace {

using nlohmann::json;
using tessalink::testing::DhcpClientKind;
using tessalink::testing::DhcpClientProgramName;
using tessalink::testing::DhcpTestNetwork;

std::string Narrow(LPCWSTR text) {
    std::string narrow;
    for (; *text != 0; ++text) {
        narrow += static_cast<char>(*text);
    }
    return narrow;
}

json RecordJson(const AdapterRecord& record) {
    return {{"address", Narrow(record.ipAddresses[0].address)},
            {"dhcp", record.dhcpEnabled != FALSE},
            {"server", Narrow(record.dhcpServer)},
            {"obtained", Narrow(record.leaseObtained)},
            {"expires", Narrow(record.leaseExpires)}};
}

class DhcpReleaseRenewSystemTest : public testing::TestWithParam<DhcpClientKind> {
  protected:
    void SetUp() override {
        if (auto reason = DhcpTestNetwork::UnavailableReason(GetParam())) {
            GTEST_SKIP() << *reason;
        }
        ASSERT_NO_FATAL_FAILURE(network_.Start());
    }

    DhcpTestNetwork network_{GetParam()};
};

// The adapter the test's client runs on, or nothing.
AdapterRecord* FindAdapter(AdapterSnapshot& snapshot, const std::string& link) {
    for (int i = 0; i < snapshot.AdapterCount(); ++i) {
        if (Narrow(snapshot.AdapterAt(i)->adapterName) == link) {
            return snapshot.AdapterAt(i);
        }
    }
    return nullptr;
}

TEST_P(DhcpReleaseRenewSystemTest, ReleaseThenRenew) {
    const std::string& link = network_.ClientLink();
    const auto output = network_.Client().RunInside([&] {
        network_.InstallClientBackend();
        AdapterSnapshot snapshot;
        snapshot.ReadAdapters();
        AdapterRecord* record = FindAdapter(snapshot, link);
        if (record == nullptr) {
            return json{{"error", "no adapter " + link}}.dump();
        }
        json report = {{"before", RecordJson(*record)}};
        report["released"] = ReleaseLease(snapshot, *record);
        report["afterRelease"] = RecordJson(*record);
        report["renewed"] = RenewLease(snapshot, *record);
        report["afterRenew"] = RecordJson(*record);
        return report.dump();
    });
    ASSERT_TRUE(output) << "the child in the namespace failed";
    const json report = json::parse(*output);
    ASSERT_TRUE(report.contains("before")) << report.dump(2);

    EXPECT_TRUE(report["before"]["address"].get<std::string>().starts_with("10.71.0."));
    EXPECT_EQ(report["before"]["dhcp"], true);
    EXPECT_EQ(report["before"]["server"], "10.71.0.1");

    EXPECT_EQ(report["released"], true) << report.dump(2);
    EXPECT_EQ(report["afterRelease"]["address"], "0.0.0.0");
    // Still an adapter DHCP configures, or the page could not renew it.
    EXPECT_EQ(report["afterRelease"]["dhcp"], true);
    // The lease went with the address: no server, and no times left from it.
    EXPECT_EQ(report["afterRelease"]["server"], "") << report.dump(2);
    EXPECT_EQ(report["afterRelease"]["obtained"], report["afterRelease"]["expires"]);

    EXPECT_EQ(report["renewed"], true) << report.dump(2);
    const json& renewed = report["afterRenew"];
    EXPECT_TRUE(renewed["address"].get<std::string>().starts_with("10.71.0.")) << renewed;
    EXPECT_EQ(renewed["server"], "10.71.0.1");
    EXPECT_NE(renewed["obtained"], "");
    EXPECT_NE(renewed["obtained"], renewed["expires"]);
}

TEST_P(DhcpReleaseRenewSystemTest, RenewWhileHoldingTheLeaseKeepsOneClient) {
    const std::size_t daemons = network_.ClientDaemonCount();
    ASSERT_GT(daemons, 0u);
    for (int renewal = 0; renewal < 2; ++renewal) {
        const auto output = network_.Client().RunInside([&] {
            network_.InstallClientBackend();
            AdapterSnapshot snapshot;
            snapshot.ReadAdapters();
            AdapterRecord* record = FindAdapter(snapshot, network_.ClientLink());
            if (record == nullptr || !RenewLease(snapshot, *record)) {
                return std::string("not renewed");
            }
            return Narrow(record->ipAddresses[0].address);
        });
        ASSERT_TRUE(output) << "the child in the namespace failed";
        EXPECT_TRUE(output->starts_with("10.71.0.")) << *output;
    }
    // Each renew replaced the daemon that held the lease, or asked it.
    EXPECT_EQ(network_.ClientDaemonCount(), daemons);
}

INSTANTIATE_TEST_SUITE_P(Clients, DhcpReleaseRenewSystemTest,
                         testing::Values(DhcpClientKind::Dhcpcd, DhcpClientKind::Dhclient),
                         [](const testing::TestParamInfo<DhcpClientKind>& client) {
                             return std::string(DhcpClientProgramName(client.param));
                         });

}  // namespace
