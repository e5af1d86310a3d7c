#include "diagnostics/TraceWorker.h"

#include "diagnostics/DiagnosticsProgress.h"
#include "diagnostics/SendEcho.h"
#include "diagnostics/WorkerChannel.h"

namespace {

// The job holds one record per hop, so a trace ends after that many hops at the
// latest (well inside the 8 bits a time-to-live has). A destination that far away was
// not reached: the page is told so with an error line of the worker's own and then
// that the trace was cut short, as for a silent hop.
void EndAtHopLimit(WorkerChannel& channel) {
    EchoResult limit;
    limit.failed = 1;
    wsprintfW(limit.message, TEXT("Destination not reached in %d hops"), kDiagnosticsResultCount);
    if (channel.Report(TRACE_ERROR, &limit)) {
        channel.End(TRACE_END, &limit);
    }
}

}  // namespace

DWORD WINAPI TraceWorker(LPVOID job) {
    WorkerChannel channel(job);
    WorkerRequest request;
    if (!channel.Begin(TRACE_HEADER, TEXT("Trace to Address - %s"), request)) {
        return 0;
    }
    WCHAR previousHop[kEchoAddressLength] = {};
    for (int hop = 0; hop < kDiagnosticsResultCount; ++hop) {
        EchoResult outcome;
        const DWORD ttl = static_cast<DWORD>(hop) + 1;
        const BOOL answered = SendEcho(&outcome, request.destination, request.dataSize, ttl);
        EchoResult* record = channel.Store(hop, outcome);
        if (record == nullptr) {
            return 0;
        }
        if (!answered) {
            channel.EndFailed(TRACE_ERROR, TRACE_END, record);
            return 0;
        }
        if (!channel.Report(TRACE_HOP, record)) {
            return 0;
        }
        // A router that answers twice in a row is as far as the echoes get.
        if (lstrcmpW(outcome.address, request.address) == 0 ||
            lstrcmpW(outcome.address, previousHop) == 0) {
            const EchoResult complete;
            channel.End(TRACE_END, &complete);
            return 0;
        }
        lstrcpynW(previousHop, outcome.address, kEchoAddressLength);
    }
    EndAtHopLimit(channel);
    return 0;
}
