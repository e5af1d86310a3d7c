// The runner every request to a DHCP client goes through: output only from a program
// that succeeds in time, and none stuck past its limit.
#include <gtest/gtest.h>

#include "net/host/bounded_command.h"

namespace platform::net::host {
namespace {

TEST(BoundedCommand, OutputOnlyFromAProgramThatSucceedsInTime) {
    EXPECT_EQ(RunBoundedCommand({"sh", "-c", "echo one; echo two"}, std::chrono::seconds(5)),
              "one\ntwo\n");
    EXPECT_FALSE(RunBoundedCommand({"sh", "-c", "echo partial; exit 3"}, std::chrono::seconds(5)));
    EXPECT_FALSE(RunBoundedCommand({"/nonexistent/program"}, std::chrono::seconds(5)));
    EXPECT_FALSE(RunBoundedCommand({}, std::chrono::seconds(5)));
    // Killed at the limit: one that never writes, one that closed its output and
    // lingers, one that writes without end.
    EXPECT_FALSE(RunBoundedCommand({"sleep", "30"}, std::chrono::milliseconds(100)));
    EXPECT_FALSE(
        RunBoundedCommand({"sh", "-c", "exec >&-; sleep 30"}, std::chrono::milliseconds(100)));
    EXPECT_FALSE(RunBoundedCommand({"yes"}, std::chrono::seconds(5)));
}

}  // namespace
}  // namespace platform::net::host
