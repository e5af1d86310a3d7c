#include "ProgressRecorder.h"

#include <gtest/gtest.h>

#include "diagnostics/DiagnosticsProgress.h"
#include "user/message_log.h"

namespace diagnostics_test {

namespace {

constexpr const WCHAR* kRecorderClass = u"DiagnosticsProgressRecorder";
// Far beyond any scripted run (whose time-outs take no time) and the 500 ms start pause.
constexpr DWORD kRunDeadline = 20000;

}  // namespace

ProgressRecorder::ProgressRecorder(DiagnosticsJob& job) : job_(job) {
    tessalink::test::RegisterWindowClass(kRecorderClass, WindowProcedure);
    window_ = CreateWindowExW(0, kRecorderClass, u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr);
    EXPECT_NE(window_, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    job_.targetWindow = window_;
    job_.messageId = WM_DIAG_PROGRESS;
}

ProgressRecorder::~ProgressRecorder() {
    DestroyWindow(window_);
}

HANDLE ProgressRecorder::Start(LPTHREAD_START_ROUTINE worker) {
    HANDLE thread = CreateThread(nullptr, 0, worker, &job_, 0, &job_.workerId);
    EXPECT_NE(thread, nullptr);
    EXPECT_NE(job_.workerId, 0u);
    return thread;
}

std::vector<Progress> ProgressRecorder::Run(LPTHREAD_START_ROUTINE worker) {
    HANDLE thread = Start(worker);
    EXPECT_TRUE(PumpUntil([this] { return Ended(); })) << "the worker sent no end message";
    // The worker touches nothing after its end message; wait for it to be gone, so that
    // the next test starts with no thread of this one.
    EXPECT_EQ(WaitForSingleObject(thread, kRunDeadline), WAIT_OBJECT_0);
    CloseHandle(thread);
    return received_;
}

bool ProgressRecorder::AwaitMessages(size_t count) {
    return PumpUntil([&] { return received_.size() >= count; });
}

template <typename Done>
bool ProgressRecorder::PumpUntil(Done done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > kRunDeadline) {
            return false;
        }
        // Peeking handles the messages the worker sends, and the sleep keeps the
        // waiting thread from taking the processor the worker needs.
        MSG msg = {};
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
        Sleep(1);
    }
    return true;
}

bool ProgressRecorder::Ended() const {
    return !received_.empty() &&
           (received_.back().code == PING_END || received_.back().code == TRACE_END);
}

LRESULT CALLBACK ProgressRecorder::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                   LPARAM lParam) {
    auto* recorder = reinterpret_cast<ProgressRecorder*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != WM_DIAG_PROGRESS || recorder == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    const auto* record = reinterpret_cast<const EchoResult*>(lParam);
    Progress progress;
    progress.code = wParam;
    progress.workerId = recorder->job_.workerId;
    if (record != nullptr) {
        progress.address = record->address;
        progress.roundTripTime = record->roundTripTime;
        progress.dataSize = record->dataSize;
        progress.failed = record->failed;
        progress.message = record->message;
    }
    recorder->received_.push_back(progress);
    return 0;
}

std::vector<WPARAM> Codes(const std::vector<Progress>& received) {
    std::vector<WPARAM> codes;
    for (const Progress& progress : received) {
        codes.push_back(progress.code);
    }
    return codes;
}

}  // namespace diagnostics_test
