// The Summary page's DHCP buttons over a real DHCP exchange, as a user works them: the
// page runs in the client namespace of a network where dnsmasq serves and dhcpcd holds
// the lease; the test chooses that adapter, taps "Release DHCP" and "Renew DHCP", and
// reads back what the summary shows after each. Needs root, dnsmasq and dhcpcd.
#include <gtest/gtest.h>
#include <net/if.h>

#include <nlohmann/json.hpp>
#include <string>

#include "dhcp_test_network.h"
#include "support/program_frame.h"

namespace tessalink::test {
namespace {

using nlohmann::json;
using tessalink::testing::DhcpTestNetwork;

class AdaptersPageSystemTest : public ProgramFrame {
  protected:
    void SetUp() override {
        if (auto reason = DhcpTestNetwork::UnavailableReason()) {
            GTEST_SKIP() << *reason;
        }
        ASSERT_NO_FATAL_FAILURE(network_.Start());
    }

    // What the summary shows of the chosen adapter's address and lease.
    json Summary() const {
        return {Narrow(ItemText(IDC_IP_ADDRESS)), Narrow(ItemText(IDC_DHCP_SERVER)),
                Narrow(ItemText(IDC_LEASE_OBTAINED)), Narrow(ItemText(IDC_LEASE_EXPIRES)),
                IsWindowEnabled(Item(IDC_RELEASE_DHCP)) && IsWindowEnabled(Item(IDC_RENEW_DHCP))};
    }

    DhcpTestNetwork network_;
};

TEST_F(AdaptersPageSystemTest, ReleaseThenRenewShowTheAddressGoneThenTheNewLease) {
    const std::string& link = network_.ClientLink();
    // The page runs where the program would: in the namespace whose dhcpcd it asks.
    const auto output = network_.Client().RunInside([&] {
        network_.InstallClientBackend();
        StartFrame();
        ChooseInterface(if_nametoindex(link.c_str()));
        json report = {ComboSelection() < 0 ? "" : Narrow(ComboTexts()[ComboSelection()]),
                       Summary()};
        TapItem(IDC_RELEASE_DHCP);
        report.push_back(Summary());
        TapItem(IDC_RENEW_DHCP);
        report.push_back(Summary());
        return report.dump();
    });
    ASSERT_TRUE(output) << "the page's process in the namespace failed";
    const json report = json::parse(*output);
    ASSERT_EQ(report[0], link) << report.dump(2);
    // Address, server, lease obtained and expires, and both buttons enabled.
    for (const json& leased : {report[1], report[3]}) {
        EXPECT_TRUE(leased[0].get<std::string>().starts_with("10.71.0.")) << leased;
        EXPECT_EQ(leased[1], "10.71.0.1") << leased;
        EXPECT_NE(leased[2], leased[3]) << leased;
        EXPECT_EQ(leased[4], true) << leased;
    }
    EXPECT_EQ(report[2][0], "0.0.0.0") << report[2];
    EXPECT_EQ(report[2][4], true) << "a released adapter can still be renewed";
}

}  // namespace
}  // namespace tessalink::test
