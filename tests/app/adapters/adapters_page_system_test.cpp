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

std::string Narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

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
        return {{"address", Narrow(ItemText(IDC_IP_ADDRESS))},
                {"server", Narrow(ItemText(IDC_DHCP_SERVER))},
                {"obtained", Narrow(ItemText(IDC_LEASE_OBTAINED))},
                {"expires", Narrow(ItemText(IDC_LEASE_EXPIRES))},
                {"buttons", IsWindowEnabled(Item(IDC_RELEASE_DHCP)) != FALSE &&
                                IsWindowEnabled(Item(IDC_RENEW_DHCP)) != FALSE}};
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
        const int chosen = ComboSelection();
        json report = {{"chosen", chosen < 0 ? "" : Narrow(ComboTexts()[chosen])},
                       {"before", Summary()}};
        TapItem(IDC_RELEASE_DHCP);
        report["afterRelease"] = Summary();
        TapItem(IDC_RENEW_DHCP);
        report["afterRenew"] = Summary();
        return report.dump();
    });
    ASSERT_TRUE(output) << "the page's process in the namespace failed";
    const json report = json::parse(*output);
    EXPECT_EQ(report["chosen"], link) << report.dump(2);

    const json& before = report["before"];
    EXPECT_TRUE(before["address"].get<std::string>().starts_with("10.71.0.")) << before;
    EXPECT_EQ(before["server"], "10.71.0.1");
    EXPECT_EQ(before["buttons"], true) << "an adapter DHCP configures";

    EXPECT_EQ(report["afterRelease"]["address"], "0.0.0.0") << report.dump(2);
    EXPECT_EQ(report["afterRelease"]["buttons"], true) << "it can still be renewed";

    const json& renewed = report["afterRenew"];
    EXPECT_TRUE(renewed["address"].get<std::string>().starts_with("10.71.0.")) << renewed;
    EXPECT_EQ(renewed["server"], "10.71.0.1");
    EXPECT_NE(renewed["obtained"], "");
    EXPECT_NE(renewed["expires"], "");
    EXPECT_NE(renewed["obtained"], renewed["expires"]);
}

}  // namespace
}  // namespace tessalink::test
