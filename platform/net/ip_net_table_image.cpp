#include "net/ip_net_table_image.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "net/fixed_text.h"

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
    row.dwPhysAddrLen = static_cast<DWORD>(
        CopyFixedBytes(neighbour.hardwareAddress, row.bPhysAddr, sizeof row.bPhysAddr));
    row.dwAddr = neighbour.address;
    row.dwType = neighbour.type;
    return row;
}

}  // namespace

IpNetTableImage::IpNetTableImage(const std::vector<NeighbourRow>& rows, bool sorted,
                                 void* destination)
    : destination_(destination) {
    std::transform(rows.begin(), rows.end(), std::back_inserter(rows_), ToRow);
    if (sorted) {
        // By address; the same address on two interfaces, lower interface index first.
        std::stable_sort(rows_.begin(), rows_.end(),
                         [](const MIB_IPNETROW& a, const MIB_IPNETROW& b) {
                             const auto left = NumericValue(a.dwAddr);
                             const auto right = NumericValue(b.dwAddr);
                             return left != right ? left < right : a.dwIndex < b.dwIndex;
                         });
    }
}

std::size_t IpNetTableImage::Bytes() const {
    return offsetof(MIB_IPNETTABLE, table) + rows_.size() * sizeof(MIB_IPNETROW);
}

void IpNetTableImage::CopyToDestination() const {
    auto* bytes = static_cast<std::byte*>(destination_);
    const DWORD count = static_cast<DWORD>(rows_.size());
    std::memcpy(bytes, &count, sizeof count);
    std::memcpy(bytes + offsetof(MIB_IPNETTABLE, table), rows_.data(),
                rows_.size() * sizeof(MIB_IPNETROW));
}

}  // namespace platform::net
