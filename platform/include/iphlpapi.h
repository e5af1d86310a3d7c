// The IP Helper library: adapters, interfaces, host parameters and the ARP table.
#pragma once

#include "iprtrmib.h"
#include "iptypes.h"
#include "windef.h"

#define MAX_ADAPTER_NAME 128

typedef struct _IP_ADAPTER_INDEX_MAP {
    ULONG Index;
    WCHAR Name[MAX_ADAPTER_NAME];
} IP_ADAPTER_INDEX_MAP, *PIP_ADAPTER_INDEX_MAP;

#ifdef __cplusplus
extern "C" {
#endif

// Buffer protocol: call with no buffer (or one too small) to learn the size needed;
// the call then fails with ERROR_BUFFER_OVERFLOW (adapters, parameters) or
// ERROR_INSUFFICIENT_BUFFER (ARP table) and stores that size.
DWORD WINAPI GetAdaptersInfo(PIP_ADAPTER_INFO pAdapterInfo, PULONG pOutBufLen);
DWORD WINAPI GetIfEntry(PMIB_IFROW pIfRow);
DWORD WINAPI GetNetworkParams(PFIXED_INFO pFixedInfo, PULONG pOutBufLen);
DWORD WINAPI GetIpNetTable(PMIB_IPNETTABLE pIpNetTable, PULONG pdwSize, BOOL bOrder);

// DHCP: give the adapter's lease back, or ask for one anew. The adapter is named by
// its index; success means the request was made, not that the address has changed.
DWORD WINAPI IpReleaseAddress(PIP_ADAPTER_INDEX_MAP AdapterInfo);
DWORD WINAPI IpRenewAddress(PIP_ADAPTER_INDEX_MAP AdapterInfo);

#ifdef __cplusplus
}
#endif
