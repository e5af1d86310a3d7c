// The word shown for an ARP row's type code.
#pragma once

#include <windows.h>
#include <iphlpapi.h>

LPCWSTR ArpTypeName(DWORD type);
