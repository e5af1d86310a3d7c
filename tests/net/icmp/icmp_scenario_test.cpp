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

}  // namespace
