// The texts an ARP row's fields are shown as.
#pragma once

#include <string>

#include <windows.h>

#include "arp/ArpEntry.h"

// The valid bytes of the physical address as two lower-case hexadecimal digits each,
// joined by "-"; empty for a length of 0.
std::u16string PhysicalAddressText(const ArpEntry& entry);
