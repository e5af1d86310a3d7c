// The Ping page on the real network: the frame runs in a child process inside the
// source namespace of a chain of three routers and a far end, which this test builds
// and removes, with a hosts file of the namespace's own that names every hop. What the
// list and the tree show is read back as the user sees it. Needs root.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "diagnostics_page_frame.h"
#include "network_namespace.h"
#include "router_chain.h"

namespace tessalink::test {
namespace {

using tessalink::testing::NetworkNamespace;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::MatchesRegex;

// The names the source namespace's hosts file gives the hops, in the trace's order.
const std::string kHopNames[RouterChain::kRouters + 1] = {"router-one", "router-two",
                                                          "router-three", "far-end"};

// The page's lines as plain text, one a line; the chain's texts are all ASCII.
std::string Joined(const Lines& lines) {
    std::string joined;
    for (const auto& line : lines) {
        joined += std::string(line.begin(), line.end()) + "\n";
    }
    return joined;
}

std::vector<std::string> Split(const std::string& joined) {
    std::vector<std::string> lines;
    std::istringstream in(joined);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class DiagnosticsPageSystemTest : public DiagnosticsPageFrame {
  protected:
    void SetUp() override {
        if (auto reason = NetworkNamespace::UnavailableReason()) {
            GTEST_SKIP() << *reason;
        }
        chain_ = std::make_unique<RouterChain>();
        ASSERT_TRUE(chain_->IsBuilt());
        std::string hosts = "127.0.0.1 localhost\n";
        for (int hop = 1; hop <= RouterChain::kRouters + 1; ++hop) {
            hosts += RouterChain::HopAddress(hop) + " " + kHopNames[hop - 1] + "\n";
        }
        ASSERT_TRUE(chain_->Source().WriteEtcFile("hosts", hosts));
        // A loopback name server that is not there: a name the hosts file lacks fails at
        // once, and no query leaves the namespaces.
        ASSERT_TRUE(chain_->Source().WriteEtcFile("resolv.conf", "nameserver 127.0.0.1\n"));
    }

    // Runs `work` on the page of a frame made in the source namespace, and returns the
    // lines it read back.
    std::vector<std::string> OnPageInSource(const std::function<Lines()>& work) {
        const auto report = chain_->Source().RunInside([&] {
            StartPage();
            return Joined(work());
        });
        EXPECT_TRUE(report) << "the page's process failed";
        return Split(report.value_or(""));
    }

    // Traces the far end, typed by its name, and returns the tree's lines.
    std::vector<std::string> TraceFarEnd() {
        return OnPageInSource([this] {
            Choose(kTraceRt);
            Run(u"far-end");
            return TreeLines();
        });
    }

    // The trace's header and each hop up to `last` with its name below it.
    static std::vector<std::string> HeaderAndHops(int last) {
        std::vector<std::string> lines = {"Trace to Address - " +
                                          RouterChain::DestinationAddress()};
        for (int hop = 1; hop <= last; ++hop) {
            lines.push_back(">> " + RouterChain::HopAddress(hop));
            lines.push_back("  " + kHopNames[hop - 1]);
        }
        return lines;
    }

    std::unique_ptr<RouterChain> chain_;
};

TEST_F(DiagnosticsPageSystemTest, PingsTheFarEndByItsNameFourTimesAndListsEachReply) {
    const auto lines = OnPageInSource([this] {
        Run(u"far-end");
        return ListLines();
    });
    const auto reply = MatchesRegex("Ping Response - 32 bytes in [0-9]+ms");
    EXPECT_THAT(lines, ElementsAre("Ping Address - " + RouterChain::DestinationAddress(), reply,
                                   reply, reply, reply, "Ping Complete"));
}

TEST_F(DiagnosticsPageSystemTest, TracesTheFourHopsInOrderEachNamedFromTheNamespacesHostsFile) {
    auto expected = HeaderAndHops(RouterChain::kRouters + 1);
    expected.push_back("TraceRt Complete");
    EXPECT_THAT(TraceFarEnd(), ElementsAreArray(expected));
}

TEST_F(DiagnosticsPageSystemTest, ASilentRouterEndsTheTraceAfterTheHopsBeforeIt) {
    ASSERT_TRUE(chain_->SilenceRouter(2));
    auto expected = HeaderAndHops(1);
    expected.insert(expected.end(), {"Error : Ping Failed.", "TraceRt Terminated"});
    EXPECT_THAT(TraceFarEnd(), ElementsAreArray(expected));
}

}  // namespace
}  // namespace tessalink::test
