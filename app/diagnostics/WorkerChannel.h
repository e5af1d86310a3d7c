// A ping or trace worker's only way to its job and page. Every touch of the job goes
// through LiveJobs, so once the page and its job are gone each call returns false and
// the worker ends at once, touching nothing more. Records are handed to the page with
// a sent WM_DIAG_PROGRESS: the page reads a record only while the worker waits, and
// the worker changes it only after the page has handled the message about it.
#pragma once

#include <functional>

#include <windows.h>

#include "diagnostics/DiagnosticsJob.h"

// What a run reads from its job once, at its start.
struct WorkerRequest {
    DWORD dataSize = 0;
    WCHAR address[kEchoAddressLength] = {};
    ULONG destination = 0;
};

class WorkerChannel {
  public:
    explicit WorkerChannel(LPVOID job) : job_(static_cast<DiagnosticsJob*>(job)) {}

    // The start of every run: a pause, the request read, the records cleared, and the
    // header, formatted with the address, sent with headerCode.
    bool Begin(WPARAM headerCode, LPCWSTR headerFormat, WorkerRequest& request);

    // The job's echo count, read anew before each echo of a ping.
    bool ReadCount(LONG& count);

    // Copies an echo's outcome into the job's record for this echo or hop and returns
    // that record; nullptr when the job is gone. The echo itself fills a record of the
    // worker's own, since it waits on the network for up to ten seconds.
    EchoResult* Store(int index, const EchoResult& echo);

    // Hands a record to the page.
    bool Report(WPARAM code, const EchoResult* record);

    // The end of a run cut short by a failed echo: the failure with its record, then
    // the same record cleared but for the failed flag as the end message.
    void EndFailed(WPARAM errorCode, WPARAM endCode, EchoResult* record);

    // The run's one end message. The job is marked idle first, so that the page, which
    // enables its controls while it handles this message, never meets a worker that
    // has already said its last word; after the send the worker touches nothing.
    void End(WPARAM endCode, const EchoResult* record);

  private:
    bool Touch(const std::function<void(DiagnosticsJob&)>& action);
    bool Send(WPARAM code, const EchoResult* record, bool releaseJob);

    DiagnosticsJob* job_;
};
