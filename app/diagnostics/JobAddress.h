// The destination the page hands its worker: the job's 16-character address field and
// the address as a number, so the worker never parses or looks up the text again.
#pragma once

#include <windows.h>

#include "diagnostics/DiagnosticsJob.h"

// Writes `dotted`, a text IsDottedAddress accepts or a host name's resolved address,
// into the job's address field, and the address it stands for (network byte order)
// into its destination. A text of up to 15 characters goes in as the user typed it. A
// longer one (leading zeros, characters after the fourth part) cannot be cut without
// naming another host, nor refused without refusing an address the echo would reach,
// so it goes in as the address it stands for, in its shortest dotted form, which always
// fits. False, writing an empty field, when a longer text is not an address after all.
bool FitJobAddress(LPCWSTR dotted, DiagnosticsJob& job);
