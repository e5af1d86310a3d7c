// What the diagnostics page shares with its worker thread: the page writes the request
// (count, data size, address) before it starts a worker and leaves it alone while the
// worker id is set; the worker writes the records and hands each one over with a sent
// WM_DIAG_PROGRESS.
#pragma once

#include <windows.h>

#include "diagnostics/EchoResult.h"

// One record per echo of a ping or per hop of a trace.
inline constexpr int kDiagnosticsResultCount = 30;

struct DiagnosticsJob {
    // Registers the job as live, so that its worker can tell when it is gone.
    DiagnosticsJob();
    // A worker still running stops at its next step without touching the job again;
    // nothing waits for it.
    ~DiagnosticsJob();
    DiagnosticsJob(const DiagnosticsJob&) = delete;
    DiagnosticsJob& operator=(const DiagnosticsJob&) = delete;

    LONG count = 4;                          // echoes of a ping run
    DWORD dataSize = 32;                     // bytes of echo data per request
    WCHAR address[kEchoAddressLength] = {};  // the dotted destination
    ULONG destination = 0;                   // the same, in network byte order
    HWND targetWindow = nullptr;             // receives WM_DIAG_PROGRESS
    UINT messageId = 0;                      // WM_DIAG_PROGRESS
    // The running worker's thread id, 0 while none runs. CreateThread writes it; the
    // worker clears it just before it sends its end message, so a page that enables its
    // controls while it handles that message is already free to start the next run.
    DWORD workerId = 0;
    EchoResult results[kDiagnosticsResultCount] = {};
    EchoResult header = {};  // its message is the run's header text
};
