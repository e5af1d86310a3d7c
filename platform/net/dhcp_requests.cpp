// The IP Helper library's DHCP requests: each hands the adapter's interface index to
// the installed backend, which asks whatever serves the adapter.
#include <iphlpapi.h>
#include <windows.h>

#include "net/network_backend.h"

using platform::net::Backend;

// The map's name is not consulted: the index alone identifies an adapter, and the
// name a program copies may be cut short (20 characters on the handheld's records).
extern "C" DWORD WINAPI IpReleaseAddress(PIP_ADAPTER_INDEX_MAP AdapterInfo) {
    if (AdapterInfo == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    return Backend().ReleaseLease(AdapterInfo->Index);
}

extern "C" DWORD WINAPI IpRenewAddress(PIP_ADAPTER_INDEX_MAP AdapterInfo) {
    if (AdapterInfo == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    return Backend().RenewLease(AdapterInfo->Index);
}
