// The IP_ADAPTER_INFO chain of GetAdaptersInfo, laid out for the caller's buffer: the
// adapters in backend order, then the address entries that do not fit in them.
#pragma once

#include <iptypes.h>

#include <cstdint>
#include <vector>

#include "net/address_string_area.h"
#include "net/network_backend.h"

namespace platform::net {

class AdapterInfoImage {
  public:
    // destination: the caller's buffer (null while only the size is wanted).
    AdapterInfoImage(const std::vector<AdapterState>& adapters, void* destination);

    std::size_t Bytes() const;
    void CopyToDestination() const;

  private:
    void Fill(IP_ADAPTER_INFO& record, const AdapterState& adapter, std::size_t position);
    std::uintptr_t RecordAddress(std::size_t position) const;

    std::uintptr_t destination_ = 0;
    std::vector<IP_ADAPTER_INFO> records_;
    AddressStringArea overflow_;
};

}  // namespace platform::net
