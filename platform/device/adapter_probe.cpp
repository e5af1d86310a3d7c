#include "device/adapter_probe.h"

#include <iphlpapi.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "device/probe_fields.h"
#include "kernel/text/utf8.h"

namespace platform::device {
namespace {

using nlohmann::json;

json AddressList(const IP_ADDR_STRING& head, bool withMasks) {
    json list = json::array();
    for (const IP_ADDR_STRING* entry = &head; entry != nullptr; entry = entry->Next) {
        if (withMasks) {
            list.push_back({{"address", FieldText(entry->IpAddress.String)},
                            {"mask", FieldText(entry->IpMask.String)}});
        } else {
            list.push_back(FieldText(entry->IpAddress.String));
        }
    }
    return list;
}

json Interface(DWORD index) {
    MIB_IFROW row{};
    row.dwIndex = index;
    const DWORD result = GetIfEntry(&row);
    if (result != NO_ERROR) {
        return {{"error", result}};
    }
    return {
        {"name", WideText(row.wszName, MAX_INTERFACE_NAME_LEN)},
        {"index", row.dwIndex},
        {"type", row.dwType},
        {"mtu", row.dwMtu},
        {"speed", row.dwSpeed},
        {"mac", HardwareText(row.bPhysAddr, std::min<DWORD>(row.dwPhysAddrLen, MAXLEN_PHYSADDR))},
        {"adminStatus", row.dwAdminStatus},
        {"operStatus", row.dwOperStatus},
        {"description", FieldText(reinterpret_cast<const char*>(row.bDescr),
                                  std::min<DWORD>(row.dwDescrLen, MAXLEN_IFDESCR))}};
}

// The value the program reads for an adapter's name: a string, {"type": N} for a
// value of another type, null when there is none.
json RegistryDisplayName(const char* adapterName) {
    const std::u16string path = u"Comm\\" + kernel::DecodeUtf8(adapterName).text;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, 0, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    DWORD type = 0;
    DWORD size = 0;
    json name = nullptr;
    if (RegQueryValueExW(key, u"DisplayName", nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        if (type == REG_SZ) {
            std::vector<WCHAR> text(size / sizeof(WCHAR) + 1, u'\0');
            DWORD bytes = static_cast<DWORD>(text.size() * sizeof(WCHAR));
            RegQueryValueExW(key, u"DisplayName", nullptr, &type,
                             reinterpret_cast<LPBYTE>(text.data()), &bytes);
            name = WideText(text.data(), text.size());
        } else {
            name = {{"type", type}};
        }
    }
    RegCloseKey(key);
    return name;
}

json Adapter(const IP_ADAPTER_INFO& info) {
    return {{"adapterName", FieldText(info.AdapterName)},
            {"description", FieldText(info.Description)},
            {"index", info.Index},
            {"type", info.Type},
            {"mac", HardwareText(info.Address,
                                 std::min<UINT>(info.AddressLength, MAX_ADAPTER_ADDRESS_LENGTH))},
            {"dhcpEnabled", info.DhcpEnabled != 0},
            {"currentIpAddress", info.CurrentIpAddress != nullptr
                                     ? json(FieldText(info.CurrentIpAddress->IpAddress.String))
                                     : json(nullptr)},
            {"ipAddresses", AddressList(info.IpAddressList, true)},
            {"gateways", AddressList(info.GatewayList, false)},
            {"dhcpServer", FieldText(info.DhcpServer.IpAddress.String)},
            {"leaseObtained", UtcText(info.LeaseObtained)},
            {"leaseExpires", UtcText(info.LeaseExpires)},
            {"haveWins", info.HaveWins != FALSE},
            {"primaryWinsServer", FieldText(info.PrimaryWinsServer.IpAddress.String)},
            {"secondaryWinsServer", FieldText(info.SecondaryWinsServer.IpAddress.String)},
            {"registryDisplayName", RegistryDisplayName(info.AdapterName)},
            {"interface", Interface(info.Index)}};
}

}  // namespace

json ProbeAdapters() {
    const ProbedRead read = ReadWithSizeProbe(
        [](void* buffer, PULONG size) {
            return GetAdaptersInfo(static_cast<PIP_ADAPTER_INFO>(buffer), size);
        },
        ERROR_BUFFER_OVERFLOW);
    if (read.error == ERROR_NO_DATA) {
        return json::array();
    }
    if (read.error != NO_ERROR) {
        return {{"error", read.error}};
    }
    json adapters = json::array();
    for (const IP_ADAPTER_INFO* info = read.Records<IP_ADAPTER_INFO>(); info != nullptr;
         info = info->Next) {
        adapters.push_back(Adapter(*info));
    }
    return adapters;
}

}  // namespace platform::device
