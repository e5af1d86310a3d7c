// The trace run: echoes to the job's address with a time-to-live that grows by one per
// hop, so that each router on the way answers in turn, until the destination or a
// repeated router answers, a hop stays silent, or the job's records are full.
#pragma once

#include <windows.h>

// A thread procedure; the parameter is the page's DiagnosticsJob. Returns 0.
DWORD WINAPI TraceWorker(LPVOID job);
