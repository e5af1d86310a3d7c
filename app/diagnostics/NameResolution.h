// What the user typed, turned into an address and back, through the socket library.
// The library is started lazily by the first lookup that finds it not started, and
// never shut down.
#pragma once

#include <windows.h>

// True when inet_addr accepts the text. 255.255.255.255 is INADDR_NONE and so not a
// dotted address: callers look it up as a host name.
BOOL IsDottedAddress(LPCWSTR text);

// The dotted text of the host's first address, at most capacity characters with the
// terminator. The output may be the very buffer that holds the name.
BOOL ResolveHostName(LPCWSTR name, LPWSTR output, int capacity);

// The official name of the host with this dotted address (at most 15 characters), at
// most capacity characters with the terminator.
BOOL ResolveAddressName(LPCWSTR address, LPWSTR output, int capacity);
