#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ScriptedNetwork.h"
#include "diagnostics/SendEcho.h"

namespace {

using diagnostics_test::Address;
using diagnostics_test::Destination;
using diagnostics_test::RecordedEcho;
using diagnostics_test::ScriptedNetwork;

class SendEchoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        network_ = ScriptedNetwork::Install();
        Destination host;
        host.routers = {Address(10, 0, 1, 1)};
        host.roundTripMs = 7;
        network_->AddDestination(Address(10, 0, 2, 9), host);
        network_->AddName("host.example", {Address(10, 0, 2, 9)});
    }

    std::shared_ptr<ScriptedNetwork> network_;
};

TEST_F(SendEchoTest, AnsweredEchoFillsTheRecordFromTheFirstReply) {
    EchoResult result;
    ASSERT_TRUE(SendEcho(&result, u"10.0.2.9", 1024, 0));
    EXPECT_EQ(std::u16string(result.address), u"10.0.2.9");
    EXPECT_EQ(result.roundTripTime, 7u);
    EXPECT_EQ(result.dataSize, 1024u);
    EXPECT_EQ(result.failed, 0);
    EXPECT_EQ(std::u16string(result.message), u"");

    const std::vector<RecordedEcho> echoes = network_->Echoes();
    ASSERT_EQ(echoes.size(), 1u);
    EXPECT_EQ(echoes[0].destination, Address(10, 0, 2, 9));
    EXPECT_EQ(echoes[0].data.size(), 1024u);
    EXPECT_TRUE(std::all_of(echoes[0].data.begin(), echoes[0].data.end(),
                            [](std::uint8_t byte) { return byte == 0; }));
    EXPECT_FALSE(echoes[0].ttl.has_value()) << "time-to-live 0 sends no options";
    EXPECT_EQ(echoes[0].timeoutMs, 10000u);
}

TEST_F(SendEchoTest, RouterReportingTheTimeToLiveRanOutIsAnAnswer) {
    EchoResult result;
    // The low 8 bits of the time-to-live go out: 257 is 1, the first router.
    ASSERT_TRUE(SendEcho(&result, u"host.example", 16, 257));
    EXPECT_EQ(std::u16string(result.address), u"10.0.1.1");
    EXPECT_EQ(result.dataSize, 16u);
    EXPECT_EQ(result.failed, 0);
    ASSERT_EQ(network_->Echoes().size(), 1u);
    EXPECT_EQ(network_->Echoes()[0].ttl, std::optional<std::uint8_t>(1));
}

TEST_F(SendEchoTest, FailuresSetTheFlagAndSayWhy) {
    EchoResult silent;
    EXPECT_FALSE(SendEcho(&silent, u"10.9.9.9", 32, 0));
    EXPECT_EQ(silent.failed, 1);
    EXPECT_EQ(std::u16string(silent.message), u"Ping Failed.");

    // Dotted, but too long to be an address the engine sends to.
    EchoResult tooLong;
    EXPECT_FALSE(SendEcho(&tooLong, u"0000000000000000012.0.2.9", 32, 0));
    EXPECT_EQ(tooLong.failed, 1);
    EXPECT_EQ(std::u16string(tooLong.message), u"Invalid Host or IP Address entered");

    // An unresolvable name leaves the record as it was: zero.
    EchoResult unresolved;
    EXPECT_FALSE(SendEcho(&unresolved, u"nowhere.example", 32, 0));
    EXPECT_EQ(unresolved.failed, 0);
    EXPECT_EQ(std::u16string(unresolved.message), u"");

    EchoResult tooBig;
    EXPECT_FALSE(SendEcho(&tooBig, u"10.0.2.9", 70000, 0));
    EXPECT_EQ(tooBig.failed, 1);
    EXPECT_EQ(network_->Echoes().size(), 1u) << "only the silent host's echo went out";

    EXPECT_FALSE(SendEcho(nullptr, u"10.0.2.9", 32, 0));

    network_->RefuseIcmp();
    EchoResult refused;
    EXPECT_FALSE(SendEcho(&refused, u"10.0.2.9", 32, 0));
    EXPECT_EQ(refused.failed, 1);
    EXPECT_EQ(std::u16string(refused.message), u"Unable to create handle.");
}

}  // namespace
