#include "net/if_row.h"

#include "net/fixed_text.h"

namespace platform::net {

void FillIfRow(MIB_IFROW& row, const InterfaceState& state) {
    row = MIB_IFROW{};
    CopyFixedWideText(state.name, row.wszName, MAX_INTERFACE_NAME_LEN);
    row.dwIndex = state.index;
    row.dwType = state.type;
    row.dwMtu = state.mtu;
    row.dwSpeed = state.speed;
    row.dwPhysAddrLen = static_cast<DWORD>(
        CopyFixedBytes(state.hardwareAddress, row.bPhysAddr, sizeof row.bPhysAddr));
    row.dwAdminStatus = state.adminUp ? MIB_IF_ADMIN_STATUS_UP : MIB_IF_ADMIN_STATUS_DOWN;
    row.dwOperStatus =
        state.operational ? MIB_IF_OPER_STATUS_OPERATIONAL : MIB_IF_OPER_STATUS_NON_OPERATIONAL;
    // The description is counted with its terminator, as Windows counts it.
    const std::size_t copied =
        CopyFixedText(state.description, reinterpret_cast<char*>(row.bDescr), sizeof row.bDescr);
    row.dwDescrLen = static_cast<DWORD>(copied + 1);
}

}  // namespace platform::net
