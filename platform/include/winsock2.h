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

#define inet_addr tl_inet_addr
#define inet_ntoa tl_inet_ntoa

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

#ifdef __cplusplus
}
#endif
