// The IP_ADDR_STRING entries that follow the main records in a caller's buffer.
//
// A list's first entry is embedded in its record; the rest live after the records and
// are chained through Next. The area is built in our own memory with every pointer
// already aimed at where its entry will lie in the caller's buffer, and copied there in
// one go, so nothing is written through a pointer into a buffer of unknown alignment.
#pragma once

#include <iptypes.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "net/ipv4_text.h"

namespace platform::net {

struct AddressEntry {
    Ipv4Text address{};
    Ipv4Text mask{};  // all zero where the list has no masks (gateways, servers).
};

class AddressStringArea {
  public:
    // start: where the area will begin in the caller's buffer (it may be null while
    // only the size is wanted; the pointers are then never used).
    explicit AddressStringArea(std::uintptr_t start) : start_(start) {}

    // Fills the embedded head with the first entry and chains the others behind it.
    // An empty list leaves the head all zero. Returns where the entries after the
    // head will lie in the caller's buffer, in list order.
    std::vector<PIP_ADDR_STRING> Chain(IP_ADDR_STRING& head, std::span<const AddressEntry> entries);

    // An entry of its own, on no list; returns where it will lie in the caller's buffer.
    PIP_ADDR_STRING Add(const AddressEntry& entry);

    std::size_t Bytes() const { return entries_.size() * sizeof(IP_ADDR_STRING); }
    void CopyTo(void* destination) const;

  private:
    PIP_ADDR_STRING Destination(std::size_t position) const;

    std::uintptr_t start_ = 0;
    std::vector<IP_ADDR_STRING> entries_;
};

}  // namespace platform::net
