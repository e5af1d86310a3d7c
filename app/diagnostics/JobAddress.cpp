#include "diagnostics/JobAddress.h"

#include <cstring>
#include <string>

#include "common/FieldText.h"
#include "diagnostics/NarrowText.h"

// Last: its macros (s_addr, hostent, ...) must not meet the standard library's headers.
#include <winsock2.h>

bool FitJobAddress(LPCWSTR dotted, DiagnosticsJob& job) {
    job.address[0] = u'\0';
    if (dotted == nullptr) {
        return false;
    }
    const std::string narrow = NarrowText(dotted);
    in_addr address = {};
    address.s_addr = narrow.empty() ? INADDR_NONE : inet_addr(narrow.c_str());
    // A short text goes in even when it parses to INADDR_NONE (a host that resolved to
    // 255.255.255.255): the echo then fails with its own message.
    job.destination = address.s_addr;
    if (lstrlenW(dotted) < kEchoAddressLength) {
        lstrcpynW(job.address, dotted, kEchoAddressLength);
        return true;
    }
    if (address.s_addr == INADDR_NONE) {
        return false;
    }
    const char* shortest = inet_ntoa(address);
    WidenIntoField(shortest, std::strlen(shortest) + 1, job.address, kEchoAddressLength);
    return true;
}
