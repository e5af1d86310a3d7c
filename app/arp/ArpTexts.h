// The texts an ARP row's fields are shown as.
#pragma once

#include <string>

#include <windows.h>

#include "arp/ArpEntry.h"

// The dotted-decimal text of an IPv4 address in network byte order. Callers pass a
// buffer of 16 characters, which any address fits with its terminator. The buffer is
// zero-filled first, so it is terminated even when the conversion fails (FALSE).
BOOL IpAddressToText(DWORD address, LPWSTR buffer, int capacity);

// The valid bytes of the physical address as two lower-case hexadecimal digits each,
// joined by "-"; empty for a length of 0.
std::u16string PhysicalAddressText(const ArpEntry& entry);
