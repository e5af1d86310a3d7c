#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ProgressRecorder.h"
#include "SimulatedNetwork.h"
#include "diagnostics/DiagnosticsProgress.h"
#include "diagnostics/TraceWorker.h"

namespace {

using diagnostics_test::Address;
using diagnostics_test::Codes;
using diagnostics_test::Ipv4;
using diagnostics_test::Progress;
using diagnostics_test::ProgressRecorder;

constexpr Ipv4 kDestination = Address(192, 168, 100, 200);
constexpr Ipv4 kFirstRouter = Address(10, 0, 0, 1);
constexpr Ipv4 kSecondRouter = Address(10, 0, 1, 1);

class TraceWorkerTest : public ::testing::Test {
  protected:
    static std::vector<Progress> Trace(const std::vector<std::optional<Ipv4>>& routers) {
        platform::net::sim::Scenario scenario;
        scenario.echoHosts = {diagnostics_test::EchoHost(kDestination, 2, routers)};
        diagnostics_test::InstallNetwork(scenario);
        DiagnosticsJob job;
        job.dataSize = 16;
        lstrcpyW(job.address, u"192.168.100.200");
        ProgressRecorder page(job);
        return page.Run(TraceWorker);
    }

    static std::vector<int> SentTimesToLive() {
        std::vector<int> ttls;
        for (const auto& echo : diagnostics_test::SentEchoes()) {
            ttls.push_back(echo.ttl.value_or(0));
        }
        return ttls;
    }
};

TEST_F(TraceWorkerTest, EachHopAnswersInTurnUntilTheDestinationOrARepeat) {
    const struct {
        std::vector<std::optional<Ipv4>> routers;
        std::vector<std::u16string> hops;
    } cases[] = {
        {{}, {u"192.168.100.200"}},
        {{kFirstRouter, kSecondRouter}, {u"10.0.0.1", u"10.0.1.1", u"192.168.100.200"}},
        // A router answering twice in a row completes the trace.
        {{kFirstRouter, kSecondRouter, kSecondRouter, kFirstRouter},
         {u"10.0.0.1", u"10.0.1.1", u"10.0.1.1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.routers.size());
        const std::vector<Progress> received = Trace(c.routers);
        std::vector<WPARAM> codes{TRACE_HEADER};
        codes.insert(codes.end(), c.hops.size(), TRACE_HOP);
        codes.push_back(TRACE_END);
        ASSERT_EQ(Codes(received), codes);
        // The header with a 15-character address is kept whole.
        EXPECT_EQ(received[0].message, u"Trace to Address - 192.168.100.200");
        std::vector<int> ttls;
        for (std::size_t hop = 0; hop < c.hops.size(); ++hop) {
            EXPECT_EQ(received[hop + 1].address, c.hops[hop]);
            EXPECT_EQ(received[hop + 1].dataSize, 16u);
            ttls.push_back(static_cast<int>(hop + 1));
        }
        EXPECT_EQ(received.back().failed, 0);
        EXPECT_EQ(received.back().workerId, 0u);
        EXPECT_EQ(SentTimesToLive(), ttls);
    }
}

TEST_F(TraceWorkerTest, SilentRouterCutsTheTraceShort) {
    const std::vector<Progress> received = Trace({kFirstRouter, std::nullopt, kSecondRouter});
    ASSERT_EQ(Codes(received),
              (std::vector<WPARAM>{TRACE_HEADER, TRACE_HOP, TRACE_ERROR, TRACE_END}));
    EXPECT_EQ(received[2].message, u"Ping Failed.");
    EXPECT_EQ(received[2].failed, 1);
    EXPECT_EQ(received[3].failed, 1);
    EXPECT_EQ(received[3].workerId, 0u);
    EXPECT_EQ(SentTimesToLive(), (std::vector<int>{1, 2}));
}

TEST_F(TraceWorkerTest, TraceEndsWhenEveryRecordHoldsAHop) {
    std::vector<std::optional<Ipv4>> routers;
    for (int hop = 1; hop <= 40; ++hop) {
        routers.push_back(Address(10, 1, static_cast<std::uint8_t>(hop), 1));
    }
    const std::vector<Progress> received = Trace(routers);
    ASSERT_EQ(received.size(), static_cast<size_t>(kDiagnosticsResultCount + 3));
    EXPECT_EQ(received[kDiagnosticsResultCount].address, u"10.1.30.1");
    const Progress& limit = received[kDiagnosticsResultCount + 1];
    EXPECT_EQ(limit.code, TRACE_ERROR);
    EXPECT_EQ(limit.message, u"Destination not reached in 30 hops");
    EXPECT_EQ(received.back().code, TRACE_END);
    EXPECT_EQ(received.back().failed, 1);
    EXPECT_EQ(diagnostics_test::SentEchoes().size(), static_cast<size_t>(kDiagnosticsResultCount));
    EXPECT_EQ(SentTimesToLive().back(), kDiagnosticsResultCount);
}

}  // namespace
