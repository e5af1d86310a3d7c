// The MIB_IPNETTABLE of GetIpNetTable: a row count, then the rows.
#pragma once

#include <iprtrmib.h>

#include <cstddef>
#include <vector>

#include "net/network_backend.h"

namespace platform::net {

class IpNetTableImage {
  public:
    // The bytes a table of this many rows takes: what a size probe reports.
    static std::size_t BytesFor(std::size_t rowCount);

    // sorted: order the rows by address, as the caller's bOrder asks. destination: the
    // caller's buffer (null while only the size is wanted). The rows are read only
    // when copied, and must live until then.
    IpNetTableImage(const std::vector<NeighbourRow>& rows, bool sorted, void* destination)
        : rows_(rows), sorted_(sorted), destination_(destination) {}

    std::size_t Bytes() const { return BytesFor(rows_.size()); }
    // Writes straight into the caller's buffer: a large table is laid out once,
    // with no copy of its own.
    void CopyToDestination() const;

  private:
    const std::vector<NeighbourRow>& rows_;
    bool sorted_ = false;
    void* destination_ = nullptr;
};

}  // namespace platform::net
