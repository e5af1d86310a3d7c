// The word shown for an ARP row's type code.
#pragma once

#include <iphlpapi.h>
#include <windows.h>

LPCWSTR ArpTypeName(DWORD type);
