// The socket library's start and stop, its per-thread error and its host lookups.
#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>

#include "net/network_backend.h"
#include "net/winsock_host_entry.h"
#include "net/winsock_host_entry_image.h"

// Last: its macros (s_addr, h_addr, ...) must not meet the standard library's headers.
#include <winsock2.h>

namespace {

// WSAStartup calls not yet matched by WSACleanup, for the whole process: a thread
// may look names up after another thread started the library, as on Windows.
std::atomic<int> startCount = 0;

constexpr WORD kHighestVersion = MAKEWORD(2, 2);

bool Started() {
    return startCount.load() > 0;
}

hostent* Answer(const platform::net::Query<platform::net::HostEntry>& entry) {
    if (!entry.ok()) {
        WSASetLastError(static_cast<int>(entry.error()));
        return nullptr;
    }
    return platform::net::HostEntryImage::OfThisThread().Fill(entry.value());
}

}  // namespace

extern "C" int WSAAPI WSAStartup(WORD wVersionRequested, LPWSADATA lpWSAData) {
    const BYTE major = LOBYTE(wVersionRequested);
    const BYTE minor = HIBYTE(wVersionRequested);
    // Versions from 1.1 on are served by 2.2; a later request gets 2.2, the highest.
    const bool supported = major > 1 || (major == 1 && minor >= 1);
    if (lpWSAData == nullptr) {
        return WSAEFAULT;
    }
    *lpWSAData = WSADATA{};
    lpWSAData->wHighVersion = kHighestVersion;
    if (!supported) {
        lpWSAData->wVersion = kHighestVersion;
        return WSAVERNOTSUPPORTED;
    }
    const bool above = major > 2 || (major == 2 && minor > 2);
    lpWSAData->wVersion = above ? kHighestVersion : wVersionRequested;
    std::strcpy(lpWSAData->szDescription, "WinSock 2.0");
    std::strcpy(lpWSAData->szSystemStatus, "Running");
    ++startCount;
    return 0;
}

extern "C" int WSAAPI WSACleanup(void) {
    int count = startCount.load();
    do {
        if (count == 0) {
            WSASetLastError(WSANOTINITIALISED);
            return SOCKET_ERROR;
        }
    } while (!startCount.compare_exchange_weak(count, count - 1));
    return 0;
}

extern "C" int WSAAPI WSAGetLastError(void) {
    return static_cast<int>(GetLastError());
}

extern "C" void WSAAPI WSASetLastError(int iError) {
    SetLastError(static_cast<DWORD>(iError));
}

extern "C" struct hostent* WSAAPI gethostbyname(const char* name) {
    if (!Started()) {
        WSASetLastError(WSANOTINITIALISED);
        return nullptr;
    }
    // No name at all asks for the device itself, as an empty one does.
    return Answer(platform::net::Backend().HostByName(name == nullptr ? std::string() : name));
}

extern "C" struct hostent* WSAAPI gethostbyaddr(const char* addr, int len, int type) {
    if (!Started()) {
        WSASetLastError(WSANOTINITIALISED);
        return nullptr;
    }
    if (type != AF_INET) {
        WSASetLastError(WSAEAFNOSUPPORT);
        return nullptr;
    }
    if (addr == nullptr || len < static_cast<int>(sizeof(platform::net::Ipv4))) {
        WSASetLastError(WSAEFAULT);
        return nullptr;
    }
    platform::net::Ipv4 address = 0;
    std::memcpy(&address, addr, sizeof address);
    return Answer(platform::net::Backend().HostByAddress(address));
}
