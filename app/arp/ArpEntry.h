// One row of the ARP table, copied field by field from the IP Helper's row.
#pragma once

#include <iphlpapi.h>
#include <windows.h>

struct ArpEntry {
    // Compared with an adapter record's interface index.
    DWORD interfaceIndex = 0;
    // Valid bytes of physicalAddress, 0 to MAXLEN_PHYSADDR; the rest are zero.
    DWORD physicalAddressLength = 0;
    BYTE physicalAddress[MAXLEN_PHYSADDR] = {};
    // Network byte order, as the row gives it.
    DWORD ipAddress = 0;
    // MIB_IPNET_TYPE_*.
    DWORD type = 0;
};
