// Stands in for the diagnostics page: a window on the test's thread that records every
// WM_DIAG_PROGRESS, copying the record while the worker waits, as the page reads it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "diagnostics/DiagnosticsJob.h"

namespace diagnostics_test {

struct Progress {
    WPARAM code = 0;
    std::u16string address;
    DWORD roundTripTime = 0;
    DWORD dataSize = 0;
    BYTE failed = 0;
    std::u16string message;
    // The job's worker id as the page finds it while it handles the message.
    DWORD workerId = 0;
};

class ProgressRecorder {
  public:
    // Points the job at the recorder's window.
    explicit ProgressRecorder(DiagnosticsJob& job);
    ~ProgressRecorder();
    ProgressRecorder(const ProgressRecorder&) = delete;
    ProgressRecorder& operator=(const ProgressRecorder&) = delete;

    // Starts the worker as the page does and handles its messages until its end
    // message (or a generous deadline, which fails the test). Returns what arrived.
    std::vector<Progress> Run(LPTHREAD_START_ROUTINE worker);

    // Starts the worker and returns its thread handle, for tests that end the job early.
    HANDLE Start(LPTHREAD_START_ROUTINE worker);
    // Handles messages until this many have arrived; false when they did not come.
    bool AwaitMessages(size_t count);

  private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    bool Ended() const;
    template <typename Done>
    bool PumpUntil(Done done);

    DiagnosticsJob& job_;
    HWND window_ = nullptr;
    std::vector<Progress> received_;
};

// The codes in the order they arrived.
std::vector<WPARAM> Codes(const std::vector<Progress>& received);

}  // namespace diagnostics_test
