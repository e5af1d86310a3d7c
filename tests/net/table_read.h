// The IP Helper's tables read as the program reads them: a size probe, then a read
// into a buffer of the size it reported.
#pragma once

#include <iphlpapi.h>
#include <windows.h>

#include <vector>

namespace net_test {

struct TableRead {
    DWORD probe = 0;
    DWORD read = 0;
    ULONG size = 0;
    std::vector<BYTE> buffer;

    template <typename Table>
    const Table* As() const {
        return reinterpret_cast<const Table*>(buffer.data());
    }
};

template <typename Table, typename Query>
TableRead ReadTable(Query query) {
    TableRead result;
    result.probe = query(nullptr, &result.size);
    result.buffer.resize(result.size);
    result.read = query(reinterpret_cast<Table*>(result.buffer.data()), &result.size);
    return result;
}

inline TableRead ReadAdapters() {
    return ReadTable<IP_ADAPTER_INFO>(GetAdaptersInfo);
}

inline TableRead ReadArp(BOOL sorted = TRUE) {
    return ReadTable<MIB_IPNETTABLE>([sorted](PMIB_IPNETTABLE table, PULONG size) {
        return GetIpNetTable(table, size, sorted);
    });
}

inline TableRead ReadNetworkParams() {
    return ReadTable<FIXED_INFO>(GetNetworkParams);
}

}  // namespace net_test
