#include "diagnostics/WorkerChannel.h"

#include <algorithm>

#include "diagnostics/LiveJobs.h"

namespace {

// The pause before a run's first report lets the page finish starting the run, and
// show its disabled controls, before the first line arrives.
constexpr DWORD kStartPause = 500;

}  // namespace

bool WorkerChannel::Touch(const std::function<void(DiagnosticsJob&)>& action) {
    return LiveJobs::WhileAlive(job_, action);
}

bool WorkerChannel::Begin(WPARAM headerCode, LPCWSTR headerFormat, WorkerRequest& request) {
    Sleep(kStartPause);
    const EchoResult* header = nullptr;
    const bool alive = Touch([&](DiagnosticsJob& job) {
        request.dataSize = job.dataSize;
        request.destination = job.destination;
        // Copied with its terminator whatever the page left in the field.
        lstrcpynW(request.address, job.address, kEchoAddressLength);
        std::fill(std::begin(job.results), std::end(job.results), EchoResult{});
        job.header = EchoResult{};
        // The header fits its field: the format is short and the address at most 15
        // characters.
        wsprintfW(job.header.message, headerFormat, request.address);
        header = &job.header;
    });
    return alive && Send(headerCode, header, false);
}

bool WorkerChannel::ReadCount(LONG& count) {
    return Touch([&](DiagnosticsJob& job) { count = job.count; });
}

EchoResult* WorkerChannel::Store(int index, const EchoResult& echo) {
    EchoResult* record = nullptr;
    Touch([&](DiagnosticsJob& job) {
        // A ping of more echoes than records reuses them in turn: the page has long
        // read a record by the time the worker comes back to it.
        record = &job.results[index % kDiagnosticsResultCount];
        *record = echo;
    });
    return record;
}

bool WorkerChannel::Report(WPARAM code, const EchoResult* record) {
    return Send(code, record, false);
}

void WorkerChannel::EndFailed(WPARAM errorCode, WPARAM endCode, EchoResult* record) {
    if (!Report(errorCode, record)) {
        return;
    }
    if (!Touch([&](DiagnosticsJob&) {
            *record = EchoResult{};
            record->failed = 1;
        })) {
        return;
    }
    End(endCode, record);
}

void WorkerChannel::End(WPARAM endCode, const EchoResult* record) {
    Send(endCode, record, true);
}

bool WorkerChannel::Send(WPARAM code, const EchoResult* record, bool releaseJob) {
    HWND target = nullptr;
    UINT message = 0;
    const bool alive = Touch([&](DiagnosticsJob& job) {
        target = job.targetWindow;
        message = job.messageId;
        if (releaseJob) {
            job.workerId = 0;
        }
    });
    if (!alive) {
        return false;
    }
    // Outside the job's guard: the page handles the message on its own thread, and a
    // page destroyed meanwhile has no window left, so the send returns at once.
    SendMessageW(target, message, code, reinterpret_cast<LPARAM>(record));
    return true;
}
