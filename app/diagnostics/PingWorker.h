// The ping run: the job's count of echoes to the job's address, each reported to the
// page; the first failed echo ends the run.
#pragma once

#include <windows.h>

// A thread procedure; the parameter is the page's DiagnosticsJob. Returns 0.
DWORD WINAPI PingWorker(LPVOID job);
