// The MIB_IPNETTABLE of GetIpNetTable: a row count, then the rows.
#pragma once

#include <iprtrmib.h>

#include <cstddef>
#include <vector>

#include "net/network_backend.h"

namespace platform::net {

class IpNetTableImage {
  public:
    // sorted: order the rows by address, as the caller's bOrder asks.
    IpNetTableImage(const std::vector<NeighbourRow>& rows, bool sorted);

    std::size_t Bytes() const;
    void CopyTo(void* destination) const;

  private:
    std::vector<MIB_IPNETROW> rows_;
};

}  // namespace platform::net
