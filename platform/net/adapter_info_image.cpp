#include "net/adapter_info_image.h"

#include <windows.h>

#include <cstddef>
#include <cstring>

#include "net/fixed_text.h"

namespace platform::net {
namespace {

// A server the adapter does not have reads as an empty text, which the program
// takes for "none"; 0.0.0.0 would be shown as an address.
AddressEntry ServerEntry(Ipv4 server) {
    AddressEntry entry;
    if (server != 0) {
        entry.address = FormatIpv4(server);
    }
    return entry;
}

std::vector<AddressEntry> AddressEntries(const AdapterState& adapter) {
    // An adapter without an address reports 0.0.0.0, as Windows does; the program
    // watches for exactly that text while a DHCP lease is released.
    if (adapter.addresses.empty()) {
        return {AddressEntry{FormatIpv4(0), FormatIpv4(0)}};
    }
    std::vector<AddressEntry> entries;
    for (const AddressWithMask& item : adapter.addresses) {
        entries.push_back({FormatIpv4(item.address), FormatIpv4(item.mask)});
    }
    return entries;
}

std::vector<AddressEntry> GatewayEntries(const AdapterState& adapter) {
    std::vector<AddressEntry> entries;
    for (const Ipv4 gateway : adapter.gateways) {
        entries.push_back({FormatIpv4(gateway), {}});
    }
    return entries;
}

}  // namespace

AdapterInfoImage::AdapterInfoImage(const std::vector<AdapterState>& adapters, void* destination)
    : destination_(reinterpret_cast<std::uintptr_t>(destination)),
      records_(adapters.size()),
      overflow_(RecordAddress(adapters.size())) {
    for (std::size_t position = 0; position < adapters.size(); ++position) {
        Fill(records_[position], adapters[position], position);
    }
}

std::size_t AdapterInfoImage::Bytes() const {
    return records_.size() * sizeof(IP_ADAPTER_INFO) + overflow_.Bytes();
}

void AdapterInfoImage::CopyToDestination() const {
    auto* bytes = reinterpret_cast<std::byte*>(destination_);
    std::memcpy(bytes, records_.data(), records_.size() * sizeof(IP_ADAPTER_INFO));
    overflow_.CopyTo(bytes + records_.size() * sizeof(IP_ADAPTER_INFO));
}

void AdapterInfoImage::Fill(IP_ADAPTER_INFO& record, const AdapterState& adapter,
                            std::size_t position) {
    if (position + 1 < records_.size()) {
        record.Next = reinterpret_cast<PIP_ADAPTER_INFO>(RecordAddress(position + 1));
    }
    CopyFixedText(adapter.name, record.AdapterName);
    CopyFixedText(adapter.description, record.Description);
    record.AddressLength = static_cast<UINT>(
        CopyFixedBytes(adapter.hardwareAddress, record.Address, sizeof record.Address));
    record.Index = adapter.index;
    record.Type = adapter.type;
    record.DhcpEnabled = adapter.dhcpEnabled ? 1 : 0;

    overflow_.Chain(record.IpAddressList, AddressEntries(adapter));
    record.CurrentIpAddress = reinterpret_cast<PIP_ADDR_STRING>(
        RecordAddress(position) + offsetof(IP_ADAPTER_INFO, IpAddressList));
    overflow_.Chain(record.GatewayList, GatewayEntries(adapter));
    const AddressEntry dhcpServer = ServerEntry(adapter.dhcpServer);
    overflow_.Chain(record.DhcpServer, {&dhcpServer, 1});

    record.HaveWins = adapter.haveWins ? TRUE : FALSE;
    const AddressEntry primaryWins = ServerEntry(adapter.primaryWins);
    const AddressEntry secondaryWins = ServerEntry(adapter.secondaryWins);
    overflow_.Chain(record.PrimaryWinsServer, {&primaryWins, 1});
    overflow_.Chain(record.SecondaryWinsServer, {&secondaryWins, 1});

    record.LeaseObtained = static_cast<time_t>(adapter.leaseObtained);
    record.LeaseExpires = static_cast<time_t>(adapter.leaseExpires);
}

std::uintptr_t AdapterInfoImage::RecordAddress(std::size_t position) const {
    return destination_ + position * sizeof(IP_ADAPTER_INFO);
}

}  // namespace platform::net
