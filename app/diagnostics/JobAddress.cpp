#include "diagnostics/JobAddress.h"

#include <cstring>
#include <string>

#include "common/FieldText.h"
#include "diagnostics/NarrowText.h"

// Last: its macros (s_addr, hostent, ...) must not meet the standard library's headers.
#include <winsock2.h>

bool FitJobAddress(LPCWSTR dotted, WCHAR (&field)[kEchoAddressLength]) {
    field[0] = u'\0';
    if (dotted == nullptr) {
        return false;
    }
    if (lstrlenW(dotted) < kEchoAddressLength) {
        lstrcpynW(field, dotted, kEchoAddressLength);
        return true;
    }
    const std::string narrow = NarrowText(dotted);
    in_addr address = {};
    address.s_addr = narrow.empty() ? INADDR_NONE : inet_addr(narrow.c_str());
    if (address.s_addr == INADDR_NONE) {
        return false;
    }
    const char* shortest = inet_ntoa(address);
    WidenIntoField(shortest, std::strlen(shortest) + 1, field, kEchoAddressLength);
    return true;
}
