// The ICMP echo service of the IP Helper library.
#pragma once

#include "ipexport.h"
#include "windef.h"

#ifdef __cplusplus
extern "C" {
#endif

// A handle for sending echoes; INVALID_HANDLE_VALUE when the device cannot send ICMP
// (GetLastError says why).
HANDLE WINAPI IcmpCreateFile(VOID);
BOOL WINAPI IcmpCloseHandle(HANDLE IcmpHandle);

// Sends one echo request and waits up to Timeout ms for its answer. Returns the
// number of ICMP_ECHO_REPLY records written to ReplyBuffer (the echoed data follows
// them), 0 on failure with GetLastError: IP_REQ_TIMED_OUT when nothing answered,
// IP_BUF_TOO_SMALL when ReplyBuffer cannot hold a record, RequestSize bytes and an
// ICMP error's 8 bytes, ERROR_INVALID_PARAMETER or ERROR_INVALID_HANDLE for bad
// arguments. A router's time-exceeded or unreachable report is an answer too: it
// comes back as one record with that status and the router's address.
DWORD WINAPI IcmpSendEcho(HANDLE IcmpHandle, IPAddr DestinationAddress, LPVOID RequestData,
                          WORD RequestSize, PIP_OPTION_INFORMATION RequestOptions,
                          LPVOID ReplyBuffer, DWORD ReplySize, DWORD Timeout);

#ifdef __cplusplus
}
#endif
