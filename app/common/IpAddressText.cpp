#include "common/IpAddressText.h"

#include <algorithm>

#include <winsock2.h>

BOOL IpAddressToText(DWORD address, LPWSTR buffer, int capacity) {
    // No caller has a buffer of unknown size, so a capacity that is not positive is
    // refused rather than trusted.
    if (buffer == nullptr || capacity <= 0) {
        return FALSE;
    }
    std::fill_n(buffer, capacity, WCHAR{});
    in_addr converted = {};
    converted.s_addr = address;
    const char* dotted = inet_ntoa(converted);
    if (dotted == nullptr) {
        return FALSE;
    }
    if (MultiByteToWideChar(CP_ACP, 0, dotted, -1, buffer, capacity) == 0) {
        // Too small a buffer: it keeps no partial address.
        std::fill_n(buffer, capacity, WCHAR{});
        return FALSE;
    }
    return TRUE;
}
