// The socket library's two address conversions. They need no started socket library,
// as on Windows, so a program may call them before WSAStartup.
#include "net/ipv4_text.h"

// Last: its macros (s_addr, ...) must not meet the standard library's headers.
#include <winsock2.h>

extern "C" ULONG WSAAPI inet_addr(const char* cp) {
    if (cp == nullptr) {
        return INADDR_NONE;
    }
    return platform::net::ParseIpv4(cp).value_or(INADDR_NONE);
}

extern "C" char* WSAAPI inet_ntoa(struct in_addr in) {
    thread_local platform::net::Ipv4Text buffer{};
    buffer = platform::net::FormatIpv4(in.s_addr);
    return buffer.data();
}
