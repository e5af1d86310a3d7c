// The MIB_IPNETTABLE of GetIpNetTable: a row count, then the rows.
#pragma once

#include <iprtrmib.h>

#include <cstddef>
#include <vector>

#include "net/network_backend.h"

namespace platform::net {

class IpNetTableImage {
  public:
    // sorted: order the rows by address, as the caller's bOrder asks. destination: the
    // caller's buffer (null while only the size is wanted).
    IpNetTableImage(const std::vector<NeighbourRow>& rows, bool sorted, void* destination);

    std::size_t Bytes() const;
    void CopyToDestination() const;

  private:
    void* destination_ = nullptr;
    std::vector<MIB_IPNETROW> rows_;
};

}  // namespace platform::net
