#include "common/AdapterSnapshot.h"

#include <algorithm>
#include <iterator>
#include <new>

#include <winreg.h>

#include "common/FieldText.h"
#include "common/QueryBuffer.h"

namespace {

constexpr WCHAR kAdapterKeyPrefix[] = TEXT("Comm\\");
constexpr WCHAR kDisplayNameValue[] = TEXT("DisplayName");
constexpr int kAdapterKeyLength = 8 + MAX_ADAPTER_NAME_LENGTH + 4;

// The registry's display name of an adapter, when it has a non-empty string one, replaces
// the description whole.
void ReadDisplayName(const IP_ADAPTER_INFO& info, WCHAR (&displayName)[kDisplayNameLength]) {
    // The key is named after the adapter's full name, not the record's shorter field.
    WCHAR keyPath[kAdapterKeyLength] = {};
    CopyIntoField(kAdapterKeyPrefix, keyPath, kAdapterKeyLength);
    const int prefixLength = lstrlenW(keyPath);
    WidenIntoField(info.AdapterName, sizeof info.AdapterName, keyPath + prefixLength,
                   kAdapterKeyLength - prefixLength);

    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, 0, &key) != ERROR_SUCCESS) {
        return;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, kDisplayNameValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
        // One character more than the value, zeroed, so a value stored without its
        // terminator still ends; a name longer than the field is cut when copied.
        QueryBuffer value;
        if (value.Allocate(size + sizeof(WCHAR)) &&
            RegQueryValueExW(key, kDisplayNameValue, nullptr, &type, value.As<BYTE>(), &size) ==
                ERROR_SUCCESS &&
            value.As<WCHAR>()[0] != 0) {
            CopyIntoField(value.As<WCHAR>(), displayName, kDisplayNameLength);
        }
    }
    RegCloseKey(key);
}

void FormatMacText(const IP_ADAPTER_INFO& info, WCHAR (&macText)[kMacTextLength]) {
    BYTE address[MAX_ADAPTER_ADDRESS_LENGTH] = {};
    const UINT length = info.AddressLength < MAX_ADAPTER_ADDRESS_LENGTH
                            ? info.AddressLength
                            : MAX_ADAPTER_ADDRESS_LENGTH;
    for (UINT i = 0; i < length; ++i) {
        address[i] = info.Address[i];
    }
    // Always six bytes: a shorter address shows zeros, a longer one its first six.
    wsprintfW(macText, TEXT("%02x-%02x-%02x-%02x-%02x-%02x"), address[0], address[1], address[2],
              address[3], address[4], address[5]);
}

void ReadSpeed(AdapterRecord& record) {
    MIB_IFROW row = {};
    row.dwIndex = record.interfaceIndex;
    if (GetIfEntry(&row) == NO_ERROR) {
        record.interfaceSpeed = row.dwSpeed;
    }
}

enum class AdapterChain { NoneReported, QueryFailed, Read };

// The library's two calls: a probe for the size, then the read into a buffer of it.
AdapterChain ReadAdapterChain(QueryBuffer& buffer) {
    ULONG size = 0;
    if (GetAdaptersInfo(nullptr, &size) == NO_ERROR) {
        return AdapterChain::NoneReported;
    }
    if (!buffer.Allocate(size) ||
        GetAdaptersInfo(buffer.As<IP_ADAPTER_INFO>(), &size) != NO_ERROR) {
        return AdapterChain::QueryFailed;
    }
    return AdapterChain::Read;
}

}  // namespace

AdapterSnapshot& AdapterSnapshot::Instance() {
    static AdapterSnapshot snapshot;
    return snapshot;
}

AdapterSnapshot::~AdapterSnapshot() {
    ReleaseRecords();
}

void AdapterSnapshot::ReleaseRecords() {
    while (head_ != nullptr) {
        AdapterRecord* next = head_->next;
        delete head_;
        head_ = next;
    }
}

bool AdapterSnapshot::ReadAdapters() {
    ReleaseRecords();
    QueryBuffer buffer;
    switch (ReadAdapterChain(buffer)) {
        case AdapterChain::NoneReported:
            return true;
        case AdapterChain::QueryFailed:
            return false;
        case AdapterChain::Read:
            break;
    }
    AdapterRecord** tail = &head_;
    for (const IP_ADAPTER_INFO* info = buffer.As<IP_ADAPTER_INFO>(); info != nullptr;
         info = info->Next) {
        AdapterRecord* record = new (std::nothrow) AdapterRecord{};
        if (record == nullptr) {
            // Out of memory: keep the adapters read so far rather than none.
            break;
        }
        BuildAdapterRecord(*record, *info);
        ReadSpeed(*record);
        *tail = record;
        tail = &record->next;
    }
    ReadNetworkParams();
    return true;
}

bool AdapterSnapshot::UpdateAdapter(AdapterRecord& record) {
    QueryBuffer buffer;
    if (ReadAdapterChain(buffer) != AdapterChain::Read) {
        return false;
    }
    for (const IP_ADAPTER_INFO* info = buffer.As<IP_ADAPTER_INFO>(); info != nullptr;
         info = info->Next) {
        if (info->Index == record.interfaceIndex) {
            BuildAdapterRecord(record, *info);
            ReadSpeed(record);
            break;
        }
    }
    return true;
}

void AdapterSnapshot::BuildAdapterRecord(AdapterRecord& record, const IP_ADAPTER_INFO& info) {
    WidenIntoField(info.AdapterName, record.adapterName);
    record.interfaceIndex = info.Index;
    WidenIntoField(info.Description, record.displayName);
    ReadDisplayName(info, record.displayName);
    FormatMacText(info, record.macText);

    for (AdapterAddress& entry : record.ipAddresses) {
        entry = {};
    }
    for (auto& gateway : record.gateways) {
        std::fill(std::begin(gateway), std::end(gateway), WCHAR{});
    }
    int position = 0;
    for (const IP_ADDR_STRING* entry = &info.IpAddressList;
         entry != nullptr && position < kAdapterAddressCount; entry = entry->Next, ++position) {
        WidenIntoField(entry->IpAddress.String, record.ipAddresses[position].address);
        WidenIntoField(entry->IpMask.String, record.ipAddresses[position].mask);
    }
    position = 0;
    for (const IP_ADDR_STRING* entry = &info.GatewayList;
         entry != nullptr && position < kAdapterGatewayCount; entry = entry->Next, ++position) {
        WidenIntoField(entry->IpAddress.String, record.gateways[position]);
    }

    record.dhcpEnabled = info.DhcpEnabled != 0;
    WidenIntoField(info.DhcpServer.IpAddress.String, record.dhcpServer);
    // The library's lease times are 32-bit counts of seconds.
    FormatLeaseTime(leaseTime_.LocalTimeOf(static_cast<DWORD>(info.LeaseExpires)),
                    record.leaseExpires);
    FormatLeaseTime(leaseTime_.LocalTimeOf(static_cast<DWORD>(info.LeaseObtained)),
                    record.leaseObtained);

    record.hasWins = info.HaveWins != 0;
    WidenIntoField(info.PrimaryWinsServer.IpAddress.String, record.primaryWinsServer);
    WidenIntoField(info.SecondaryWinsServer.IpAddress.String, record.secondaryWinsServer);
}

void AdapterSnapshot::ReadNetworkParams() {
    ULONG size = 0;
    if (GetNetworkParams(nullptr, &size) != ERROR_BUFFER_OVERFLOW) {
        return;
    }
    QueryBuffer buffer;
    if (!buffer.Allocate(size) || GetNetworkParams(buffer.As<FIXED_INFO>(), &size) != NO_ERROR) {
        return;
    }
    const FIXED_INFO& info = *buffer.As<FIXED_INFO>();
    WidenIntoField(info.HostName, hostName_);
    WidenIntoField(info.DomainName, domainName_);

    std::fill(std::begin(currentDnsServer_), std::end(currentDnsServer_), WCHAR{});
    for (auto& server : dnsServers_) {
        std::fill(std::begin(server), std::end(server), WCHAR{});
    }
    int position = 0;
    for (const IP_ADDR_STRING* entry = &info.DnsServerList;
         entry != nullptr && position < kDnsServerCount; entry = entry->Next, ++position) {
        WidenIntoField(entry->IpAddress.String, dnsServers_[position]);
    }
    if (info.CurrentDnsServer != nullptr) {
        WidenIntoField(info.CurrentDnsServer->IpAddress.String, currentDnsServer_);
    }
}

int AdapterSnapshot::AdapterCount() const {
    int count = 0;
    for (const AdapterRecord* record = head_; record != nullptr; record = record->next) {
        ++count;
    }
    return count;
}

AdapterRecord* AdapterSnapshot::AdapterAt(int position) const {
    if (position < 0) {
        return nullptr;
    }
    AdapterRecord* record = head_;
    while (record != nullptr && position > 0) {
        record = record->next;
        --position;
    }
    return record;
}

LPCWSTR AdapterSnapshot::DnsServer(int position) const {
    if (position < 0 || position >= kDnsServerCount) {
        return nullptr;
    }
    return dnsServers_[position];
}
