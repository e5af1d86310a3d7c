#include "diagnostics/PingWorker.h"

#include "diagnostics/DiagnosticsProgress.h"
#include "diagnostics/SendEcho.h"
#include "diagnostics/WorkerChannel.h"

DWORD WINAPI PingWorker(LPVOID job) {
    WorkerChannel channel(job);
    WorkerRequest request;
    if (!channel.Begin(PING_HEADER, TEXT("Ping Address - %s"), request)) {
        return 0;
    }
    for (LONG echo = 0;; ++echo) {
        LONG count = 0;
        if (!channel.ReadCount(count)) {
            return 0;
        }
        if (echo >= count) {
            break;
        }
        EchoResult outcome;
        // Time-to-live 0: the system's default.
        const BOOL answered = SendEcho(&outcome, request.destination, request.dataSize, 0);
        EchoResult* record = channel.Store(echo, outcome);
        if (record == nullptr) {
            return 0;
        }
        if (!answered) {
            channel.EndFailed(PING_ERROR, PING_END, record);
            return 0;
        }
        if (!channel.Report(PING_REPLY, record)) {
            return 0;
        }
    }
    const EchoResult complete;
    channel.End(PING_END, &complete);
    return 0;
}
