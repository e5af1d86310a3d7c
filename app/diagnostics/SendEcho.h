// The echo engine: one ICMP echo request to one address, its outcome in one record.
#pragma once

#include <windows.h>

#include "diagnostics/EchoResult.h"

// How long an echo waits for its answer.
inline constexpr DWORD kEchoTimeout = 10000;

// Fills the record, which the caller has zeroed (the engine never clears the failed
// flag), from one echo to `destination` (network byte order, as the page parsed it). A
// time-to-live of 0 sends with the system's default. True when a reply came, also one
// in which a router reports that the time-to-live ran out on the way: that is how a
// trace learns each hop. False when the echo failed, with failed set to 1 and the
// reason as the message.
BOOL SendEcho(EchoResult* result, ULONG destination, DWORD dataSize, DWORD ttl);
