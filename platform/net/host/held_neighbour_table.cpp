#include "net/host/held_neighbour_table.h"

#include <utility>

namespace platform::net::host {

void HeldNeighbourTable::Hold(std::vector<NeighbourRow> rows) {
    std::lock_guard lock(mutex_);
    rows_ = std::move(rows);
    holder_ = std::this_thread::get_id();
    heldAt_ = std::chrono::steady_clock::now();
}

std::optional<std::vector<NeighbourRow>> HeldNeighbourTable::Take() {
    std::lock_guard lock(mutex_);
    // Another thread's probe says nothing about what this thread asked for; its
    // rows stay for its own read.
    if (!rows_ || holder_ != std::this_thread::get_id()) {
        return std::nullopt;
    }
    std::optional<std::vector<NeighbourRow>> rows = std::exchange(rows_, std::nullopt);
    if (std::chrono::steady_clock::now() - heldAt_ >= lifetime_) {
        return std::nullopt;
    }
    return rows;
}

}  // namespace platform::net::host
