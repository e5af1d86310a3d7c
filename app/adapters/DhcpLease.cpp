#include "adapters/DhcpLease.h"

#include <iphlpapi.h>

namespace {

constexpr WCHAR kNoAddress[] = TEXT("0.0.0.0");
constexpr DWORD kPauseMilliseconds = 500;
// A renew waits for a server: 120 re-reads half a second apart, about a minute.
constexpr int kRenewReads = 120;
// A release needs no server: the client drops the address as it sends the release,
// usually before the request returns, so the first re-read already shows it. An
// adapter that still has an address after some seconds keeps it (another source set
// it, or the adapter has gone and its record cannot change), and waiting longer would
// only hold the user interface: 20 re-reads half a second apart, about ten seconds,
// leave a slow client room. Pausing as the renew does keeps the re-reads, each a full
// adapter query, from running back to back.
constexpr int kReleaseReads = 20;

using LeaseRequest = DWORD(WINAPI*)(PIP_ADAPTER_INDEX_MAP);

IP_ADAPTER_INDEX_MAP IndexMapOf(const AdapterRecord& record) {
    IP_ADAPTER_INDEX_MAP map = {};
    map.Index = record.interfaceIndex;
    // The record's name (at most 19 characters) always fits the map's 128.
    lstrcpyW(map.Name, record.adapterName);
    return map;
}

bool HasNoAddress(const AdapterRecord& record) {
    return lstrcmpW(record.ipAddresses[0].address, kNoAddress) == 0;
}

enum class Awaited { NoAddress, AnAddress };

bool Shows(const AdapterRecord& record, Awaited awaited) {
    return HasNoAddress(record) == (awaited == Awaited::NoAddress);
}

// Makes the request, then re-reads the adapter (the first time straight away) until
// it shows what the request was for or the re-reads are used up.
bool RequestAndWait(AdapterSnapshot& snapshot, AdapterRecord& record, LeaseRequest request,
                    Awaited awaited, int reads, LeasePause pause) {
    if (!record.dhcpEnabled) {
        return false;
    }
    IP_ADAPTER_INDEX_MAP map = IndexMapOf(record);
    if (request(&map) != NO_ERROR) {
        return false;
    }
    for (int read = 0; read < reads; ++read) {
        // A failed re-read leaves the record as it was; the wait goes on.
        snapshot.UpdateAdapter(record);
        if (Shows(record, awaited)) {
            return true;
        }
        pause(kPauseMilliseconds);
    }
    return false;
}

}  // namespace

bool ReleaseLease(AdapterSnapshot& snapshot, AdapterRecord& record, LeasePause pause) {
    return RequestAndWait(snapshot, record, IpReleaseAddress, Awaited::NoAddress, kReleaseReads,
                          pause);
}

bool RenewLease(AdapterSnapshot& snapshot, AdapterRecord& record, LeasePause pause) {
    return RequestAndWait(snapshot, record, IpRenewAddress, Awaited::AnAddress, kRenewReads, pause);
}
