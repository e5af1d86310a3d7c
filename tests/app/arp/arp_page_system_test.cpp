// The ARP page over the host's own neighbour table, in a namespace this test builds
// and removes: the page lists the adapter's neighbours with their types, and its timer
// brings in a neighbour added while it runs. Needs root.
#include <gtest/gtest.h>
#include <net/if.h>

#include <chrono>
#include <string>

#include "network_namespace.h"
#include "support/program_frame.h"

namespace tessalink::test {
namespace {

using tessalink::testing::NetworkNamespace;

class ArpPageSystemTest : public ProgramFrame {
  protected:
    void SetUp() override {
        if (auto reason = NetworkNamespace::UnavailableReason()) {
            GTEST_SKIP() << *reason;
        }
        ASSERT_TRUE(network_.IsCreated());
        ASSERT_TRUE(network_.IpCommands(
            {"link add tl0 type veth peer name tl1", "link set tl0 up", "link set tl1 up",
             "addr add 10.9.0.1/24 dev tl0",
             "neigh add 10.9.0.5 lladdr 02:00:00:00:00:05 dev tl0 nud permanent",
             "neigh add 10.9.0.6 lladdr 02:00:00:00:00:06 dev tl0 nud stale"}));
    }

    // Each listed address with the type its details name, one per line.
    std::string Listing() {
        std::string listing;
        const Lines rows = ListTexts(IDC_ARP_LIST);
        for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
            TapRow(IDC_ARP_LIST, row);
            const std::u16string details = ItemText(IDC_ARP_DETAILS);
            listing += Narrow(rows[row] + details.substr(details.rfind(u' '))) + "\n";
        }
        return listing;
    }

    NetworkNamespace network_;
};

TEST_F(ArpPageSystemTest, ListsTheNeighboursWithTheirTypesAndTheTimerAddsANewOne) {
    const auto report = network_.RunInside([this] {
        StartFrame({}, kArpTab);
        ChooseInterface(if_nametoindex("tl0"));
        const std::string before = Listing();
        if (!network_.IpCommand(
                "neigh add 10.9.0.7 lladdr 02:00:00:00:00:07 dev tl0 nud permanent")) {
            return before + "could not add a neighbour\n";
        }
        // The timer's period and some slack for a loaded machine.
        const Lines shown = ListTexts(IDC_ARP_LIST);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(12);
        while (ListTexts(IDC_ARP_LIST) == shown && std::chrono::steady_clock::now() < deadline) {
            Sleep(50);
            Pump();
        }
        return before + "--\n" + Listing();
    });
    ASSERT_TRUE(report);
    EXPECT_EQ(*report,
              "10.9.0.5 Static\n10.9.0.6 Dynamic\n--\n"
              "10.9.0.5 Static\n10.9.0.6 Dynamic\n10.9.0.7 Static\n");
}

}  // namespace
}  // namespace tessalink::test
