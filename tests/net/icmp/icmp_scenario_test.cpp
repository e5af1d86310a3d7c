// Scenario files' hosts and names: what a mistake in them is told as.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "net/sim/scenario_error.h"
#include "net/sim/scenario_reader.h"

namespace {

using platform::net::sim::ParseScenario;
using platform::net::sim::ScenarioError;
using ::testing::HasSubstr;

std::string Refusal(const std::string& json) {
    try {
        ParseScenario(json, "net.json");
    } catch (const ScenarioError& error) {
        return error.what();
    }
    return "accepted";
}

TEST(EchoScenarioTest, MistakesAreToldWithTheirPlace) {
    EXPECT_THAT(Refusal(R"({"hosts": [{"address": "10.0.0.1", "route": [true]}]})"),
                HasSubstr("at hosts[0].route[0]: expected null (a silent router)"));
    EXPECT_THAT(Refusal(R"({"hosts": [{"address": "10.0.0.1", "unreachable": "moon"}]})"),
                HasSubstr("at hosts[0].unreachable"));
    EXPECT_THAT(Refusal(R"({"hosts": [{"address": "10.0.0.1"}, {"address": "10.0.0.1"}]})"),
                HasSubstr("at hosts[1].address: host 10.0.0.1 is already listed"));
    EXPECT_THAT(Refusal(R"({"hosts": [{"rtt": 3}]})"), HasSubstr("missing key \"address\""));
    EXPECT_THAT(Refusal(R"({"hosts": [{"address": "10.0.0.1", "rtt": -1}]})"),
                HasSubstr("at hosts[0].rtt"));
    EXPECT_THAT(Refusal(R"({"names": {"www.example": []}})"),
                HasSubstr("at names.www.example: expected an address or a non-empty array"));
    EXPECT_THAT(Refusal(R"({"names": {"www.example": ["10.0.0.300"]}})"),
                HasSubstr("names.www.example[0]"));
    EXPECT_THAT(Refusal(R"({"reverseNames": {"10.0.0": "router"}})"),
                HasSubstr("\"10.0.0\" is not an IPv4 address"));
    EXPECT_THAT(Refusal(R"({"reverseNames": {"10.0.0.1": ""}})"),
                HasSubstr("a name cannot be empty"));
    EXPECT_THAT(Refusal(R"({"faults": [{"kind": "fail", "query": "IcmpSendEcho", "error": 5}]})"),
                HasSubstr("\"IcmpCreateFile\""));
}

TEST(EchoScenarioTest, EveryFormOfHopAndHostIsRead) {
    const auto scenario = ParseScenario(R"({
      "hosts": [{ "address": "10.9.0.1", "rtt": 4, "answers": 3, "unreachable": "port",
                  "route": [null, "10.0.0.1", {"address": "10.0.1.1", "rtt": 7}] },
                { "address": "10.9.0.2", "silent": true }],
      "names": { "one.example": "10.9.0.1", "two.example": ["10.9.0.2", "10.9.0.1"] },
      "reverseNames": { "10.9.0.1": "one.example" }
    })",
                                        "net.json");
    ASSERT_EQ(scenario.echoHosts.size(), 2u);
    const auto& host = scenario.echoHosts[0];
    EXPECT_EQ(host.rtt, 4u);
    EXPECT_EQ(host.answers, 3u);
    EXPECT_EQ(host.unreachable, 11005u);
    ASSERT_EQ(host.route.size(), 3u);
    EXPECT_FALSE(host.route[0].address.has_value());
    EXPECT_EQ(host.route[1].address, 0x0100000Au);
    EXPECT_EQ(host.route[1].rtt, 1u) << "a router's default round trip";
    EXPECT_EQ(host.route[2].rtt, 7u);
    EXPECT_FALSE(scenario.echoHosts[1].rtt.has_value());

    ASSERT_EQ(scenario.names.forward.size(), 2u);
    EXPECT_EQ(scenario.names.forward[1].second,
              (std::vector<std::uint32_t>{0x0200090Au, 0x0100090Au}));
    ASSERT_EQ(scenario.names.reverse.size(), 1u);
    EXPECT_EQ(scenario.names.reverse[0].second, "one.example");
}

}  // namespace
