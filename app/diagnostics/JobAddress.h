// The dotted address the page hands its worker, in the job's 16-character field.
#pragma once

#include <windows.h>

#include "diagnostics/EchoResult.h"

// Writes `dotted`, a text IsDottedAddress accepts, into the job's address field. A text
// of up to 15 characters goes in as the user typed it. A longer one (leading zeros,
// characters after the fourth part) cannot be cut without naming another host, nor
// refused without refusing an address the echo would reach, so it goes in as the
// address it stands for, in its shortest dotted form, which always fits. False, writing
// an empty field, when the text is not an address after all.
bool FitJobAddress(LPCWSTR dotted, WCHAR (&field)[kEchoAddressLength]);
