// The neighbour table counted for a size probe, kept for the read that follows it.
// A caller that probes allocates what it learned and asks again at once; answering
// that read from the counted rows spares it a second dump of the kernel's table,
// and the rows it gets are exactly the ones whose size it was told.
#pragma once

#include <chrono>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "net/network_backend.h"

namespace platform::net::host {

class HeldNeighbourTable {
  public:
    // A read that comes later than this is not the probe's follow-up: it gets the
    // table as it is then.
    static constexpr std::chrono::milliseconds kLifetime{1000};

    explicit HeldNeighbourTable(std::chrono::milliseconds lifetime = kLifetime)
        : lifetime_(lifetime) {}

    // Replaces whatever was held, for the calling thread.
    void Hold(std::vector<NeighbourRow> rows);

    // The held rows when the calling thread is the one that probed and they are
    // still young. Held rows serve one read only; anything held is dropped.
    std::optional<std::vector<NeighbourRow>> Take();

  private:
    const std::chrono::milliseconds lifetime_;
    std::mutex mutex_;
    std::optional<std::vector<NeighbourRow>> rows_;
    std::thread::id holder_;
    std::chrono::steady_clock::time_point heldAt_;
};

}  // namespace platform::net::host
