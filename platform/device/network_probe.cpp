#include "device/network_probe.h"

#include <iphlpapi.h>
#include <windows.h>

#include <algorithm>

#include "device/adapter_probe.h"
#include "device/probe_fields.h"

// Last: its macros (s_addr, ...) must not meet the standard library's headers.
#include <winsock2.h>

namespace platform::device {
namespace {

using nlohmann::json;

json NetworkParameters() {
    const ProbedRead read = ReadWithSizeProbe(
        [](void* buffer, PULONG size) {
            return GetNetworkParams(static_cast<PFIXED_INFO>(buffer), size);
        },
        ERROR_BUFFER_OVERFLOW);
    if (read.error != NO_ERROR) {
        return {{"error", read.error}};
    }
    const FIXED_INFO* info = read.Records<FIXED_INFO>();
    json servers = json::array();
    for (const IP_ADDR_STRING* entry = &info->DnsServerList; entry != nullptr;
         entry = entry->Next) {
        servers.push_back(FieldText(entry->IpAddress.String));
    }
    return {{"hostName", FieldText(info->HostName)},
            {"domainName", FieldText(info->DomainName)},
            {"dnsServers", servers},
            {"currentDnsServer", info->CurrentDnsServer != nullptr
                                     ? json(FieldText(info->CurrentDnsServer->IpAddress.String))
                                     : json(nullptr)}};
}

json ArpTable() {
    const ProbedRead read = ReadWithSizeProbe(
        [](void* buffer, PULONG size) {
            return GetIpNetTable(static_cast<PMIB_IPNETTABLE>(buffer), size, TRUE);
        },
        ERROR_INSUFFICIENT_BUFFER);
    if (read.error == ERROR_NO_DATA) {
        return json::array();
    }
    if (read.error != NO_ERROR) {
        return {{"error", read.error}};
    }
    const MIB_IPNETTABLE* table = read.Records<MIB_IPNETTABLE>();
    json rows = json::array();
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        const MIB_IPNETROW& row = table->table[i];
        in_addr address{};
        address.s_addr = row.dwAddr;
        rows.push_back({{"interface", row.dwIndex},
                        {"address", inet_ntoa(address)},
                        {"mac", HardwareText(row.bPhysAddr,
                                             std::min<DWORD>(row.dwPhysAddrLen, MAXLEN_PHYSADDR))},
                        {"type", row.dwType}});
    }
    return rows;
}

json SystemTime(const SYSTEMTIME& time) {
    return {{"month", time.wMonth},
            {"dayOfWeek", time.wDayOfWeek},
            {"day", time.wDay},
            {"hour", time.wHour},
            {"minute", time.wMinute}};
}

json TimeZone() {
    TIME_ZONE_INFORMATION zone{};
    const DWORD result = GetTimeZoneInformation(&zone);
    if (result == TIME_ZONE_ID_INVALID) {
        return {{"error", GetLastError()}};
    }
    return {{"result", result},
            {"bias", zone.Bias},
            {"standardName", WideText(zone.StandardName, 32)},
            {"standardDate", SystemTime(zone.StandardDate)},
            {"standardBias", zone.StandardBias},
            {"daylightName", WideText(zone.DaylightName, 32)},
            {"daylightDate", SystemTime(zone.DaylightDate)},
            {"daylightBias", zone.DaylightBias}};
}

}  // namespace

json ProbeNetwork() {
    return {{"adapters", ProbeAdapters()},
            {"networkParams", NetworkParameters()},
            {"arp", ArpTable()},
            {"timeZone", TimeZone()}};
}

}  // namespace platform::device
