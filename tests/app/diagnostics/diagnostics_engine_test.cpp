#include <gtest/gtest.h>

#include <string>

#include "SimulatedNetwork.h"
#include "diagnostics/SendEcho.h"

namespace {

using diagnostics_test::Address;
using diagnostics_test::SentEchoes;
using platform::net::sim::Scenario;
using platform::net::sim::SimSentEcho;

class SendEchoTest : public ::testing::Test {
  protected:
    void SetUp() override { diagnostics_test::InstallNetwork(Network()); }

    static Scenario Network() {
        Scenario scenario;
        scenario.echoHosts = {
            diagnostics_test::EchoHost(Address(10, 0, 2, 9), 7, {Address(10, 0, 1, 1)})};
        scenario.names.forward = {{"host.example", {Address(10, 0, 2, 9)}}};
        return scenario;
    }
};

TEST_F(SendEchoTest, AnsweredEchoFillsTheRecordFromTheFirstReply) {
    EchoResult result;
    ASSERT_TRUE(SendEcho(&result, u"10.0.2.9", 1024, 0));
    EXPECT_EQ(std::u16string(result.address), u"10.0.2.9");
    EXPECT_EQ(result.roundTripTime, 7u);
    EXPECT_EQ(result.dataSize, 1024u);
    EXPECT_EQ(result.failed, 0);
    EXPECT_EQ(std::u16string(result.message), u"");

    const std::vector<SimSentEcho> echoes = SentEchoes();
    ASSERT_EQ(echoes.size(), 1u);
    EXPECT_EQ(echoes[0].destination, Address(10, 0, 2, 9));
    EXPECT_EQ(echoes[0].dataSize, 1024u);
    EXPECT_TRUE(echoes[0].dataAllZero);
    EXPECT_EQ(echoes[0].replyRoom, 28u * 1024u);
    EXPECT_FALSE(echoes[0].ttl.has_value()) << "time-to-live 0 sends no options";
    EXPECT_EQ(echoes[0].timeout.count(), 10000);
}

TEST_F(SendEchoTest, RouterReportingTheTimeToLiveRanOutIsAnAnswer) {
    EchoResult result;
    // The low 8 bits of the time-to-live go out: 257 is 1, the first router.
    ASSERT_TRUE(SendEcho(&result, u"host.example", 16, 257));
    EXPECT_EQ(std::u16string(result.address), u"10.0.1.1");
    EXPECT_EQ(result.dataSize, 16u);
    EXPECT_EQ(result.failed, 0);
    ASSERT_EQ(SentEchoes().size(), 1u);
    EXPECT_EQ(SentEchoes()[0].ttl, std::optional<std::uint8_t>(1));
}

TEST_F(SendEchoTest, FailuresSetTheFlagAndSayWhy) {
    const struct {
        const char16_t* address;
        DWORD dataSize;
        BYTE failed;
        const char16_t* message;
    } cases[] = {
        {u"10.9.9.9", 32, 1, u"Ping Failed."},
        // Dotted, but too long to be an address the engine sends to.
        {u"0000000000000000012.0.2.9", 32, 1, u"Invalid Host or IP Address entered"},
        // An unresolvable name leaves the record as it was: zero.
        {u"nowhere.example", 32, 0, u""},
        {u"10.0.2.9", 70000, 1, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::u16string(c.address).size());
        EchoResult result;
        EXPECT_FALSE(SendEcho(&result, c.address, c.dataSize, 0));
        EXPECT_EQ(result.failed, c.failed);
        if (c.message != nullptr) {
            EXPECT_EQ(std::u16string(result.message), c.message);
        }
    }
    EXPECT_EQ(SentEchoes().size(), 1u) << "only the silent host's echo went out";

    EXPECT_FALSE(SendEcho(nullptr, u"10.0.2.9", 32, 0));

    Scenario refusing = Network();
    refusing.failures.push_back(
        {platform::net::sim::SimQuery::IcmpCreate, ERROR_ACCESS_DENIED, {}});
    diagnostics_test::InstallNetwork(refusing);
    EchoResult refused;
    EXPECT_FALSE(SendEcho(&refused, u"10.0.2.9", 32, 0));
    EXPECT_EQ(refused.failed, 1);
    EXPECT_EQ(std::u16string(refused.message), u"Unable to create handle.");
}

}  // namespace
