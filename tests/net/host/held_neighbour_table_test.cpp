// The rows a size probe counted serve the prober's next read, and nothing else.
#include <gtest/gtest.h>

#include <thread>

#include "net/host/held_neighbour_table.h"

namespace {

using platform::net::NeighbourRow;
using platform::net::host::HeldNeighbourTable;

std::vector<NeighbourRow> Rows(std::size_t count) {
    std::vector<NeighbourRow> rows(count);
    for (std::size_t i = 0; i < count; ++i) {
        rows[i].address = static_cast<std::uint32_t>(i + 1);
    }
    return rows;
}

TEST(HeldNeighbourTable, ServesTheHoldingThreadOnce) {
    HeldNeighbourTable held;
    EXPECT_FALSE(held.Take());

    held.Hold(Rows(3));
    // Another thread's read is not the probe's follow-up, and leaves the rows held.
    std::thread([&] { EXPECT_FALSE(held.Take()); }).join();
    const auto rows = held.Take();
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->size(), 3u);
    EXPECT_EQ(rows->back().address, 3u);
    EXPECT_FALSE(held.Take());

    // A newer probe replaces what an older one left.
    held.Hold(Rows(1));
    held.Hold(Rows(2));
    EXPECT_EQ(held.Take()->size(), 2u);
}

TEST(HeldNeighbourTable, RowsOlderThanTheLifetimeAreDropped) {
    HeldNeighbourTable held(std::chrono::milliseconds(0));
    held.Hold(Rows(2));
    EXPECT_FALSE(held.Take());
    EXPECT_FALSE(held.Take());
}

}  // namespace
