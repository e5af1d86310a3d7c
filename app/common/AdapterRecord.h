// One network adapter as the snapshot keeps it: plain fixed-size fields, every text
// terminated within its field, so a page can show any of them without checking.
#pragma once

#include <windows.h>

// A dotted IPv4 address (or mask) and its terminator.
constexpr int kAddressTextLength = 16;
constexpr int kAdapterAddressCount = 5;
constexpr int kAdapterGatewayCount = 5;
constexpr int kAdapterNameLength = 20;
constexpr int kDisplayNameLength = 150;
// "xx-xx-xx-xx-xx-xx" and its terminator.
constexpr int kMacTextLength = 18;
constexpr int kLeaseTextLength = 30;

struct AdapterAddress {
    WCHAR address[kAddressTextLength] = {};
    WCHAR mask[kAddressTextLength] = {};
};

struct AdapterRecord {
    AdapterAddress ipAddresses[kAdapterAddressCount] = {};
    WCHAR gateways[kAdapterGatewayCount][kAddressTextLength] = {};
    WCHAR adapterName[kAdapterNameLength] = {};
    WCHAR displayName[kDisplayNameLength] = {};
    // The adapter's identity: pages keep this, not the record, across a refresh.
    DWORD interfaceIndex = 0;
    WCHAR macText[kMacTextLength] = {};
    BOOL dhcpEnabled = FALSE;
    WCHAR dhcpServer[kAddressTextLength] = {};
    WCHAR leaseExpires[kLeaseTextLength] = {};
    WCHAR leaseObtained[kLeaseTextLength] = {};
    BOOL hasWins = FALSE;
    WCHAR primaryWinsServer[kAddressTextLength] = {};
    WCHAR secondaryWinsServer[kAddressTextLength] = {};
    // Bits per second; 0 when the interface query failed.
    DWORD interfaceSpeed = 0;
    // The snapshot's list link; owned by the snapshot, never by the record.
    AdapterRecord* next = nullptr;
};
