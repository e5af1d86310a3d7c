#include "diagnostics/NameResolution.h"

#include <cstring>
#include <string>

#include "common/FieldText.h"
#include "diagnostics/NarrowText.h"

// Last: its macros (s_addr, hostent, ...) must not meet the standard library's headers.
#include <winsock2.h>

namespace {

// "255.255.255.255": the longest text an address given by its four parts can have.
constexpr size_t kDottedAddressLength = 15;

// Version 2.2, the one the lookups are written for.
constexpr WORD kSocketLibraryVersion = 0x0202;

// Runs the lookup; when it failed only because the socket library was not started yet,
// starts it and runs the lookup once more.
template <typename Lookup>
hostent* LookUpStartingLibrary(Lookup lookup) {
    hostent* entry = lookup();
    if (entry == nullptr && WSAGetLastError() == WSANOTINITIALISED) {
        WSADATA data = {};
        if (WSAStartup(kSocketLibraryVersion, &data) == 0) {
            entry = lookup();
        }
    }
    return entry;
}

void WidenInto(const char* text, LPWSTR output, int capacity) {
    WidenIntoField(text, std::strlen(text) + 1, output, capacity);
}

}  // namespace

BOOL IsDottedAddress(LPCWSTR text) {
    const std::string narrow = NarrowText(text);
    return !narrow.empty() && inet_addr(narrow.c_str()) != INADDR_NONE;
}

BOOL ResolveHostName(LPCWSTR name, LPWSTR output, int capacity) {
    if (output == nullptr || capacity <= 0) {
        return FALSE;
    }
    // Converted before anything is written, since output may hold the name.
    const std::string narrow = NarrowText(name);
    if (narrow.empty()) {
        return FALSE;
    }
    const hostent* entry = LookUpStartingLibrary([&] { return gethostbyname(narrow.c_str()); });
    if (entry == nullptr || entry->h_addr_list == nullptr || entry->h_addr_list[0] == nullptr ||
        entry->h_length != static_cast<short>(sizeof(in_addr))) {
        return FALSE;
    }
    in_addr first = {};
    std::memcpy(&first, entry->h_addr_list[0], sizeof first);
    const char* dotted = inet_ntoa(first);
    if (dotted == nullptr) {
        return FALSE;
    }
    WidenInto(dotted, output, capacity);
    return TRUE;
}

BOOL ResolveAddressName(LPCWSTR address, LPWSTR output, int capacity) {
    if (output == nullptr || capacity <= 0) {
        return FALSE;
    }
    // A longer text (leading zeros, trailing words) is refused rather than cut: a cut
    // text could name another address.
    const std::string narrow = NarrowText(address);
    if (narrow.empty() || narrow.size() > kDottedAddressLength) {
        return FALSE;
    }
    const ULONG value = inet_addr(narrow.c_str());
    const hostent* entry = LookUpStartingLibrary([&] {
        return gethostbyaddr(reinterpret_cast<const char*>(&value), sizeof value, AF_INET);
    });
    if (entry == nullptr || entry->h_name == nullptr) {
        return FALSE;
    }
    WidenInto(entry->h_name, output, capacity);
    return TRUE;
}
