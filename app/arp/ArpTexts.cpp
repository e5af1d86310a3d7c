#include "arp/ArpTexts.h"

std::u16string PhysicalAddressText(const ArpEntry& entry) {
    std::u16string text;
    const DWORD length = entry.physicalAddressLength < MAXLEN_PHYSADDR ? entry.physicalAddressLength
                                                                       : MAXLEN_PHYSADDR;
    for (DWORD i = 0; i < length; ++i) {
        WCHAR digits[3] = {};
        wsprintfW(digits, TEXT("%02x"), entry.physicalAddress[i]);
        if (!text.empty()) {
            text += u'-';
        }
        text += digits;
    }
    return text;
}
