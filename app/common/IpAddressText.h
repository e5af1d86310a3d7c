// An IPv4 address as the pages show it.
#pragma once

#include <windows.h>

// The dotted-decimal text of an IPv4 address in network byte order. Callers pass a
// buffer of 16 characters, which any address fits with its terminator. The buffer is
// zero-filled first, so it is terminated even when the conversion fails (FALSE).
BOOL IpAddressToText(DWORD address, LPWSTR buffer, int capacity);
