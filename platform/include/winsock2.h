// The socket library: addresses and their text forms.
//
// The C library of the machine underneath declares inet_addr, inet_ntoa and struct
// in_addr with its own types and meaning. Defining functions of those names here would
// replace the C library's symbols for every user in the process (its own resolver
// included), so the program's calls are renamed to tl_* functions by the macros below:
// the program still writes the Win32 names, and nothing else in the process is
// affected. For the same reason a file that includes this header must not include the
// C library's socket headers.
#pragma once

#include "windef.h"

#define WSAAPI

#define AF_UNSPEC 0
#define AF_INET 2

#define INADDR_ANY ((ULONG)0x00000000)
#define INADDR_LOOPBACK 0x7f000001
#define INADDR_BROADCAST ((ULONG)0xffffffff)
#define INADDR_NONE 0xffffffff

typedef struct in_addr {
    union {
        struct {
            UCHAR s_b1, s_b2, s_b3, s_b4;
        } S_un_b;
        struct {
            USHORT s_w1, s_w2;
        } S_un_w;
        ULONG S_addr;
    } S_un;
} IN_ADDR, *PIN_ADDR, *LPIN_ADDR;

#define s_addr S_un.S_addr
#define s_net S_un.S_un_b.s_b1
#define s_host S_un.S_un_b.s_b2
#define s_lh S_un.S_un_b.s_b3
#define s_impno S_un.S_un_b.s_b4

// Winsock's version 2.2 and what WSAStartup reports about the library.
#define WSADESCRIPTION_LEN 256
#define WSASYS_STATUS_LEN 128

// The 64-bit layout, in which the counts and the vendor pointer come first.
typedef struct WSAData {
    WORD wVersion;
    WORD wHighVersion;
    unsigned short iMaxSockets;
    unsigned short iMaxUdpDg;
    char* lpVendorInfo;
    char szDescription[WSADESCRIPTION_LEN + 1];
    char szSystemStatus[WSASYS_STATUS_LEN + 1];
} WSADATA, *LPWSADATA;

#define SOCKET_ERROR (-1)

// Error codes, as WSAGetLastError reports them.
#define WSABASEERR 10000
#define WSAEINTR (WSABASEERR + 4)
#define WSAEFAULT (WSABASEERR + 14)
#define WSAEINVAL (WSABASEERR + 22)
#define WSAEINPROGRESS (WSABASEERR + 36)
#define WSAEAFNOSUPPORT (WSABASEERR + 47)
#define WSAENETDOWN (WSABASEERR + 50)
#define WSAENOBUFS (WSABASEERR + 55)
#define WSAEPROCLIM (WSABASEERR + 67)
#define WSASYSNOTREADY (WSABASEERR + 91)
#define WSAVERNOTSUPPORTED (WSABASEERR + 92)
#define WSANOTINITIALISED (WSABASEERR + 93)
#define WSAHOST_NOT_FOUND (WSABASEERR + 1001)
#define WSATRY_AGAIN (WSABASEERR + 1002)
#define WSANO_RECOVERY (WSABASEERR + 1003)
#define WSANO_DATA (WSABASEERR + 1004)

// A host entry, in the 64-bit layout (16-bit type and length between the pointers).
// The C library has a struct of the same name and another layout; the rename keeps
// the two apart while the program writes the Win32 name.
#define hostent tl_hostent
struct hostent {
    char* h_name;
    char** h_aliases;
    short h_addrtype;
    short h_length;
    char** h_addr_list;
};
#define h_addr h_addr_list[0]
typedef struct hostent HOSTENT, *PHOSTENT, *LPHOSTENT;

#define inet_addr tl_inet_addr
#define inet_ntoa tl_inet_ntoa
#define gethostbyname tl_gethostbyname
#define gethostbyaddr tl_gethostbyaddr

#ifdef __cplusplus
extern "C" {
#endif

// An address text in any classic form ("10.1.2.3", "10.258", "0x0a000001", ...) in
// network byte order; INADDR_NONE for text that is no address. Windows declares the
// result unsigned long, which is 32 bits there; ULONG keeps that width. (The C
// library's u_long, which every C++ header brings along, is 64 bits here, so this
// header leaves the u_* names to it.)
ULONG WSAAPI inet_addr(const char* cp);
// The dotted text of an address, in a buffer of the calling thread that the next call
// on that thread overwrites.
char* WSAAPI inet_ntoa(struct in_addr in);

// Starts the socket library for the process; lookups fail with WSANOTINITIALISED
// until then. Returns 0 or an error code (WSAVERNOTSUPPORTED below version 1.1,
// WSAEFAULT without lpWSAData). Every successful call is matched by one WSACleanup.
int WSAAPI WSAStartup(WORD wVersionRequested, LPWSADATA lpWSAData);
// 0, or SOCKET_ERROR with WSANOTINITIALISED when the library was not started.
int WSAAPI WSACleanup(void);
// The calling thread's last socket error (the same value as GetLastError).
int WSAAPI WSAGetLastError(void);
void WSAAPI WSASetLastError(int iError);

// Lookups through the device's resolver. The entry lives in storage of the calling
// thread until its next lookup; null on failure, with WSAGetLastError saying why
// (WSAHOST_NOT_FOUND, WSANO_DATA, WSATRY_AGAIN, WSANO_RECOVERY, WSAEFAULT,
// WSAEAFNOSUPPORT, WSANOTINITIALISED).
struct hostent* WSAAPI gethostbyname(const char* name);
struct hostent* WSAAPI gethostbyaddr(const char* addr, int len, int type);

#ifdef __cplusplus
}
#endif
