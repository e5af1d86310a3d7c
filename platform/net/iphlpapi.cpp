// The IP Helper library's queries: each asks the installed backend once and lays
// its answer out in the caller's buffer, with the Win32 size protocol.
#include <iphlpapi.h>
#include <windows.h>

#include "net/adapter_info_image.h"
#include "net/caller_buffer.h"
#include "net/fixed_info_image.h"
#include "net/if_row.h"
#include "net/ip_net_table_image.h"
#include "net/network_backend.h"

using platform::net::Backend;
using platform::net::DeliverImage;

extern "C" DWORD WINAPI GetAdaptersInfo(PIP_ADAPTER_INFO pAdapterInfo, PULONG pOutBufLen) {
    if (pOutBufLen == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    const auto adapters = Backend().Adapters();
    if (!adapters.ok()) {
        return adapters.error();
    }
    if (adapters.value().empty()) {
        return ERROR_NO_DATA;
    }
    const platform::net::AdapterInfoImage image(adapters.value(), pAdapterInfo);
    return DeliverImage(image, pAdapterInfo, pOutBufLen, ERROR_BUFFER_OVERFLOW);
}

extern "C" DWORD WINAPI GetIfEntry(PMIB_IFROW pIfRow) {
    if (pIfRow == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    const auto state = Backend().Interface(pIfRow->dwIndex);
    if (!state.ok()) {
        return state.error();
    }
    platform::net::FillIfRow(*pIfRow, state.value());
    return NO_ERROR;
}

extern "C" DWORD WINAPI GetNetworkParams(PFIXED_INFO pFixedInfo, PULONG pOutBufLen) {
    if (pOutBufLen == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    const auto parameters = Backend().Parameters();
    if (!parameters.ok()) {
        return parameters.error();
    }
    const platform::net::FixedInfoImage image(parameters.value(), pFixedInfo);
    return DeliverImage(image, pFixedInfo, pOutBufLen, ERROR_BUFFER_OVERFLOW);
}

extern "C" DWORD WINAPI GetIpNetTable(PMIB_IPNETTABLE pIpNetTable, PULONG pdwSize, BOOL bOrder) {
    if (pdwSize == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    // A size probe needs only the row count, which a backend may know at less cost
    // than the rows themselves.
    if (pIpNetTable == nullptr) {
        const auto count = Backend().NeighbourCount();
        if (!count.ok()) {
            return count.error();
        }
        if (count.value() == 0) {
            return ERROR_NO_DATA;
        }
        return platform::net::CheckCallerBuffer(
            nullptr, pdwSize, platform::net::IpNetTableImage::BytesFor(count.value()),
            ERROR_INSUFFICIENT_BUFFER);
    }
    const auto rows = Backend().Neighbours();
    if (!rows.ok()) {
        return rows.error();
    }
    // An empty table is "no data", as on Windows; the size is then left as it was.
    if (rows.value().empty()) {
        return ERROR_NO_DATA;
    }
    const platform::net::IpNetTableImage image(rows.value(), bOrder != FALSE, pIpNetTable);
    return DeliverImage(image, pIpNetTable, pdwSize, ERROR_INSUFFICIENT_BUFFER);
}
