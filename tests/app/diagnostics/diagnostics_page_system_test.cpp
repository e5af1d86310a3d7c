// The Ping page on the real network: the frame runs in a child process inside the
// source namespace of a chain of three routers and a far end, which this test builds
// and removes, with a hosts file of the namespace's own that names every hop. What the
// tree shows is read back as the user sees it. Needs root.
#include <gtest/gtest.h>

#include <string>

#include "network_namespace.h"
#include "router_chain.h"
#include "support/diagnostics_page_frame.h"

namespace tessalink::test {
namespace {

using tessalink::testing::NetworkNamespace;

using DiagnosticsPageSystemTest = DiagnosticsPageFrame;

// The trace's last echo is answered by the far end itself, as a ping's echoes are.
TEST_F(DiagnosticsPageSystemTest, TracesTheFarEndByItsNameWithEveryHopNamed) {
    if (auto reason = NetworkNamespace::UnavailableReason()) {
        GTEST_SKIP() << *reason;
    }
    RouterChain chain;
    ASSERT_TRUE(chain.IsBuilt());
    std::string hosts = "127.0.0.1 localhost\n";
    std::string expected = "Trace to Address - " + RouterChain::DestinationAddress() + "\n";
    for (int hop = 1; hop <= RouterChain::kRouters + 1; ++hop) {
        const std::string name =
            hop > RouterChain::kRouters ? "far-end" : "router-" + std::to_string(hop);
        hosts += RouterChain::HopAddress(hop) + " " + name + "\n";
        expected += ">> " + RouterChain::HopAddress(hop) + "\n  " + name + "\n";
    }
    ASSERT_TRUE(chain.Source().WriteEtcFile("hosts", hosts));
    // A loopback name server that is not there: no query leaves the namespaces.
    ASSERT_TRUE(chain.Source().WriteEtcFile("resolv.conf", "nameserver 127.0.0.1\n"));

    const auto report = chain.Source().RunInside([this] {
        StartPage();
        Choose(kTraceRt);
        Run(u"far-end");
        std::string joined;  // the chain's texts are all ASCII
        for (const auto& line : TreeLines()) {
            joined += std::string(line.begin(), line.end()) + "\n";
        }
        return joined;
    });
    EXPECT_EQ(report, expected + "TraceRt Complete\n") << "nothing when the page's process failed";
}

}  // namespace
}  // namespace tessalink::test
