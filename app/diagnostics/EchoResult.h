// One echo's outcome as the diagnostics worker hands it to its page. An all-zero record
// means no data and not failed, so a record is reset by assigning EchoResult{}.
#pragma once

#include <windows.h>

// A dotted IPv4 address and its terminator.
inline constexpr int kEchoAddressLength = 16;

// The longest texts the engine stores are "Invalid Host or IP Address entered" and the
// trace header with a 15-character address, 34 characters each; a field of 30 would cut
// both mid-word, so the field has room for them and a few more. The page shows whatever
// the field holds.
inline constexpr int kEchoMessageLength = 40;

struct EchoResult {
    WCHAR address[kEchoAddressLength] = {};  // the host (or, in a trace, the hop) that replied
    DWORD roundTripTime = 0;                 // milliseconds
    DWORD dataSize = 0;                      // data bytes in the reply
    BYTE failed = 0;                         // 1: the echo failed or the run was cut short
    WCHAR message[kEchoMessageLength] = {};  // failure text, or the run's header text
};
