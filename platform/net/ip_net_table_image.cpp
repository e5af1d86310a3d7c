#include "net/ip_net_table_image.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace platform::net {
namespace {

// Addresses compare as the numbers they spell: 10.0.0.9 before 10.0.0.10 before
// 192.168.0.1, which is the order of their bytes in network order.
std::uint32_t NumericValue(DWORD networkOrder) {
    std::uint8_t bytes[4] = {};
    std::memcpy(bytes, &networkOrder, sizeof bytes);
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
           std::uint32_t{bytes[2]} << 8 | bytes[3];
}

MIB_IPNETROW ToRow(const NeighbourRow& neighbour) {
    MIB_IPNETROW row{};
    row.dwIndex = neighbour.interfaceIndex;
    static_assert(sizeof row.bPhysAddr == PhysicalAddress::kCapacity);
    std::copy(neighbour.hardwareAddress.begin(), neighbour.hardwareAddress.end(), row.bPhysAddr);
    row.dwPhysAddrLen = static_cast<DWORD>(neighbour.hardwareAddress.size());
    row.dwAddr = neighbour.address;
    row.dwType = neighbour.type;
    return row;
}

// What the rows are ordered by: the address, then the interface, then the row's place
// in the table, so that rows of the same address and interface keep their table order.
struct SortKey {
    std::uint32_t address = 0;
    std::uint32_t interfaceIndex = 0;
    std::uint32_t position = 0;

    auto operator<=>(const SortKey&) const = default;
};

}  // namespace

std::size_t IpNetTableImage::BytesFor(std::size_t rowCount) {
    return offsetof(MIB_IPNETTABLE, table) + rowCount * sizeof(MIB_IPNETROW);
}

void IpNetTableImage::CopyToDestination() const {
    auto* bytes = static_cast<std::byte*>(destination_);
    const DWORD count = static_cast<DWORD>(rows_.size());
    std::memcpy(bytes, &count, sizeof count);
    std::byte* next = bytes + offsetof(MIB_IPNETTABLE, table);
    const auto write = [&next](const NeighbourRow& neighbour) {
        const MIB_IPNETROW row = ToRow(neighbour);
        std::memcpy(next, &row, sizeof row);
        next += sizeof row;
    };
    if (!sorted_) {
        std::for_each(rows_.begin(), rows_.end(), write);
        return;
    }
    // The keys' memory is kept for the thread's next sort: a caller that reads a large
    // table every few seconds would otherwise have fresh pages faulted in each time,
    // which costs more than the sort itself.
    thread_local std::vector<SortKey> keys;
    keys.clear();
    keys.reserve(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        keys.push_back({NumericValue(rows_[i].address), rows_[i].interfaceIndex,
                        static_cast<std::uint32_t>(i)});
    }
    std::sort(keys.begin(), keys.end());
    for (const SortKey& key : keys) {
        write(rows_[key.position]);
    }
}

}  // namespace platform::net
