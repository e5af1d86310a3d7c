// The FIXED_INFO of GetNetworkParams, laid out for the caller's buffer: the record,
// then the DNS server entries that do not fit in it.
#pragma once

#include <iptypes.h>

#include <cstdint>

#include "net/address_string_area.h"
#include "net/network_backend.h"

namespace platform::net {

class FixedInfoImage {
  public:
    // destination: the caller's buffer (null while only the size is wanted).
    FixedInfoImage(const NetworkParameters& parameters, void* destination);

    std::size_t Bytes() const { return sizeof(FIXED_INFO) + overflow_.Bytes(); }
    void CopyToDestination() const;

  private:
    std::uintptr_t destination_ = 0;
    FIXED_INFO record_{};
    AddressStringArea overflow_;
};

}  // namespace platform::net
