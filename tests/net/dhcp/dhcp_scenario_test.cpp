// The scenario's DHCP servers: what a file may say, and what it is told when it says
// something else.
#include <gtest/gtest.h>

#include <string>

#include "net/sim/scenario_reader.h"
#include "net/use_scenario.h"

namespace {

using platform::net::sim::ParseScenario;
using platform::net::sim::SimDhcpAnswer;

std::string WithServers(const std::string& servers) {
    return R"({ "adapters": [{ "name": "NE20001", "index": 2, "dhcp": {} }],
                "faults": [{ "kind": "grow", "table": "adapters",
                             "add": [{ "name": "WLAN1", "index": 3 }] }],
                "dhcpServers": )" +
           servers + "}";
}

std::string ErrorOf(const std::string& servers) {
    return net_test::ScenarioRefusal(WithServers(servers));
}

TEST(DhcpScenarioTest, ServersAreReadWithTheirDefaults) {
    const auto scenario = ParseScenario(WithServers(R"([{ "adapter": 2 },
                        { "adapter": 3, "answer": "late", "delay": 2500, "leaseTime": 60,
                          "offer": { "address": "10.0.0.7", "mask": "255.0.0.0" } }])"),
                                        "net.json");
    ASSERT_EQ(scenario.dhcpServers.size(), 2u);
    const auto& plain = scenario.dhcpServers[0];
    EXPECT_EQ(plain.answer, SimDhcpAnswer::AtOnce);
    EXPECT_FALSE(plain.offer);
    EXPECT_FALSE(plain.server);
    EXPECT_FALSE(plain.leaseSeconds);
    // An adapter that a fault adds later may have a server too.
    const auto& late = scenario.dhcpServers[1];
    EXPECT_EQ(late.adapter, 3u);
    EXPECT_EQ(late.answer, SimDhcpAnswer::Late);
    EXPECT_EQ(late.delay.count(), 2500);
    EXPECT_EQ(late.leaseSeconds, 60u);
    ASSERT_TRUE(late.offer);
    EXPECT_EQ(late.offer->address, 0x0700000Au);
}

TEST(DhcpScenarioTest, MistakesAreNamedWithTheirPlace) {
    EXPECT_EQ(ErrorOf(R"([{ "adapter": 2, "answer": "soon" }])"),
              "net.json: at dhcpServers[0].answer: expected one of \"atOnce\", \"late\", "
              "\"never\", found \"soon\"");
    EXPECT_EQ(ErrorOf(R"([{ "adapter": 9 }])"),
              "net.json: at dhcpServers[0].adapter: no adapter has interface index 9");
    EXPECT_EQ(ErrorOf(R"([{ "adapter": 2 }, { "adapter": 2, "answer": "never" }])"),
              "net.json: at dhcpServers[1].adapter: the adapter with interface index 2 already "
              "has a DHCP server");
    EXPECT_EQ(ErrorOf(R"([{ "adapter": 2, "delay": 100 }])"),
              "net.json: at dhcpServers[0].delay: \"delay\" belongs to a server whose answer is "
              "\"late\"");
    EXPECT_EQ(ErrorOf(R"([{ "adapter": 2, "answer": "late" }])"),
              "net.json: at dhcpServers[0]: missing key \"delay\"");
    EXPECT_EQ(ErrorOf(R"([{ "adapter": 2, "leaseTime": 0 }])"),
              "net.json: at dhcpServers[0].leaseTime: expected a lease time in seconds, at "
              "least 1, found 0");
    EXPECT_NE(ErrorOf(R"([{ "adapter": 2, "offer": { "address": "10.0.0.7" } }])"), "accepted");
    EXPECT_NE(ErrorOf(R"([{ "adapter": 2, "answr": "never" }])"), "accepted");
}

}  // namespace
