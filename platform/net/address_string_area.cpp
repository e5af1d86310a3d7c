#include "net/address_string_area.h"

#include <cstring>

namespace platform::net {
namespace {

void Fill(IP_ADDR_STRING& target, const AddressEntry& entry) {
    std::memcpy(target.IpAddress.String, entry.address.data(), sizeof target.IpAddress.String);
    std::memcpy(target.IpMask.String, entry.mask.data(), sizeof target.IpMask.String);
}

}  // namespace

std::vector<PIP_ADDR_STRING> AddressStringArea::Chain(IP_ADDR_STRING& head,
                                                      std::span<const AddressEntry> entries) {
    head = IP_ADDR_STRING{};
    std::vector<PIP_ADDR_STRING> placed;
    if (entries.empty()) {
        return placed;
    }
    Fill(head, entries.front());
    PIP_ADDR_STRING* link = &head.Next;
    for (const AddressEntry& entry : entries.subspan(1)) {
        // Link before adding: adding may move the staged entries, and link with them.
        *link = placed.emplace_back(Destination(entries_.size()));
        Fill(entries_.emplace_back(), entry);
        link = &entries_.back().Next;
    }
    return placed;
}

PIP_ADDR_STRING AddressStringArea::Add(const AddressEntry& entry) {
    PIP_ADDR_STRING destination = Destination(entries_.size());
    Fill(entries_.emplace_back(), entry);
    return destination;
}

void AddressStringArea::CopyTo(void* destination) const {
    // An empty area has no data pointer to hand memcpy.
    if (!entries_.empty()) {
        std::memcpy(destination, entries_.data(), Bytes());
    }
}

PIP_ADDR_STRING AddressStringArea::Destination(std::size_t position) const {
    return reinterpret_cast<PIP_ADDR_STRING>(start_ + position * sizeof(IP_ADDR_STRING));
}

}  // namespace platform::net
