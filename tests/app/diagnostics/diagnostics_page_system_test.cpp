// The Ping page on the real network: the frame runs in a child process inside the
// source namespace of a chain of three routers and a far end, which this test builds
// and removes, with a hosts file of the namespace's own that names every hop. What the
// list and the tree show is read back as the user sees it. Needs root.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "network_namespace.h"
#include "router_chain.h"
#include "support/diagnostics_page_frame.h"

namespace tessalink::test {
namespace {

using tessalink::testing::NetworkNamespace;

// The names the source namespace's hosts file gives the hops, in the trace's order.
const std::string kHopNames[RouterChain::kRouters + 1] = {"router-one", "router-two",
                                                          "router-three", "far-end"};

class DiagnosticsPageSystemTest : public DiagnosticsPageFrame {
  protected:
    void SetUp() override {
        if (auto reason = NetworkNamespace::UnavailableReason()) {
            GTEST_SKIP() << *reason;
        }
        chain_ = std::make_unique<RouterChain>();
        ASSERT_TRUE(chain_->IsBuilt());
    }
    // The frame lives and ends in the child: this process staged no network to clear.
    void TearDown() override {}

    std::unique_ptr<RouterChain> chain_;
};

// The trace's last echo is answered by the far end itself, as a ping's echoes are.
TEST_F(DiagnosticsPageSystemTest, TracesTheFarEndByItsNameWithEveryHopNamed) {
    std::string hosts = "127.0.0.1 localhost\n";
    for (int hop = 1; hop <= RouterChain::kRouters + 1; ++hop) {
        hosts += RouterChain::HopAddress(hop) + " " + kHopNames[hop - 1] + "\n";
    }
    ASSERT_TRUE(chain_->Source().WriteEtcFile("hosts", hosts));
    // A loopback name server that is not there: no query leaves the namespaces.
    ASSERT_TRUE(chain_->Source().WriteEtcFile("resolv.conf", "nameserver 127.0.0.1\n"));

    const auto report = chain_->Source().RunInside([this] {
        StartPage();
        Choose(kTraceRt);
        Run(u"far-end");
        std::string joined;  // the chain's texts are all ASCII
        for (const auto& line : TreeLines()) {
            joined += std::string(line.begin(), line.end()) + "\n";
        }
        return joined;
    });
    std::string expected = "Trace to Address - " + RouterChain::DestinationAddress() + "\n";
    for (int hop = 1; hop <= RouterChain::kRouters + 1; ++hop) {
        expected += ">> " + RouterChain::HopAddress(hop) + "\n  " + kHopNames[hop - 1] + "\n";
    }
    EXPECT_EQ(report, expected + "TraceRt Complete\n") << "nothing when the page's process failed";
}

}  // namespace
}  // namespace tessalink::test
