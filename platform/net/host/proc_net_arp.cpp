#include "net/host/proc_net_arp.h"

#include <iprtrmib.h>

#include <utility>

#include "net/host/text_fields.h"
#include "net/physical_address.h"

namespace platform::net::host {
namespace {

// Columns: IP address, HW type, Flags, HW address, Mask, Device.
constexpr std::size_t kColumns = 6;
constexpr std::uint64_t kComplete = 0x2;   // ATF_COM
constexpr std::uint64_t kPermanent = 0x4;  // ATF_PERM

// "aa:bb:cc:dd:ee:ff" as bytes; nothing if any part is not a hex byte.
std::optional<std::vector<std::uint8_t>> ParseHardwareAddress(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    while (true) {
        const std::size_t colon = text.find(':');
        const auto byte = ParseUnsigned(text.substr(0, colon), 16);
        if (!byte || *byte > 0xFF || bytes.size() == PhysicalAddress::kCapacity) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(*byte));
        if (colon == std::string_view::npos) {
            return bytes;
        }
        text.remove_prefix(colon + 1);
    }
}

}  // namespace

std::vector<NeighbourRow> ParseProcNetArp(
    std::string_view text, const std::function<std::uint32_t(const std::string&)>& indexOf) {
    std::vector<NeighbourRow> rows;
    bool header = true;
    ForEachLine(text, [&](std::string_view line) {
        if (std::exchange(header, false)) {
            return;
        }
        const auto columns = Words(line);
        if (columns.size() != kColumns) {
            return;
        }
        const auto address = ParseIpv4(columns[0]);
        const auto flags =
            ParseUnsigned(columns[2].substr(columns[2].starts_with("0x") ? 2 : 0), 16);
        const auto hardwareAddress = ParseHardwareAddress(columns[3]);
        const std::uint32_t index = indexOf(std::string(columns[5]));
        if (!address || !flags || !hardwareAddress || index == 0) {
            return;
        }
        NeighbourRow row;
        row.interfaceIndex = index;
        row.address = *address;
        if (*flags & kComplete) {
            row.hardwareAddress = *hardwareAddress;
        }
        row.type = (*flags & kPermanent)  ? MIB_IPNET_TYPE_STATIC
                   : (*flags & kComplete) ? MIB_IPNET_TYPE_DYNAMIC
                                          : MIB_IPNET_TYPE_INVALID;
        rows.push_back(std::move(row));
    });
    return rows;
}

}  // namespace platform::net::host
