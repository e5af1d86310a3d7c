// What the Ping page cannot ask of the diagnostics engine: a socket library nothing has
// started yet, a reverse lookup's bound, an echo larger than the page offers, and a
// worker whose job is destroyed under it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "diagnostics/DiagnosticsJob.h"
#include "diagnostics/DiagnosticsProgress.h"
#include "diagnostics/JobAddress.h"
#include "diagnostics/NameResolution.h"
#include "diagnostics/PingWorker.h"
#include "diagnostics/SendEcho.h"
#include "support/message_log.h"
#include "support/scenario_stager.h"
#include "user/window_test.h"

// Last: its macros (s_addr, hostent, ...) must not meet the standard library's headers.
#include <winsock2.h>

namespace tessalink::test {
namespace {

class DiagnosticsEngineTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        StageScenario(R"({"hosts": [{"address": "10.0.2.9", "rtt": 7}],
                          "names": {"multi.example": ["10.0.2.9", "10.0.0.8"]},
                          "reverseNames": {"10.0.2.9": "multi.example"}})");
    }
    void TearDown() override {
        WindowTest::TearDown();
        ClearScenario();
    }
};

TEST_F(DiagnosticsEngineTest, WhatThePageNeverAsksIsRefusedAndTheSocketLibraryStartsOnDemand) {
    // Back to a library that was never started, whatever ran before in this process.
    while (WSACleanup() == 0) {
    }
    // The name and the result share one buffer, as the page's address check does.
    WCHAR text[150] = u"multi.example";
    ASSERT_TRUE(ResolveHostName(text, text, 150));
    EXPECT_EQ(std::u16string(text), u"10.0.2.9") << "the first of the addresses";
    EXPECT_NE(gethostbyname("multi.example"), nullptr) << "started once and left running";
    // 10.0.2.9 has a name, but a text longer than any address is refused, not parsed.
    EXPECT_FALSE(ResolveAddressName(u"0000000012.0.2.9", text, 150));

    // An echo's size field has 16 bits.
    EchoResult result;
    EXPECT_FALSE(SendEcho(&result, inet_addr("10.0.2.9"), 70000, 0));
    EXPECT_EQ(std::u16string(result.message), u"Ping Failed.");
    EXPECT_TRUE(SentEchoes().empty());
}

TEST_F(DiagnosticsEngineTest, AWorkerWhoseJobIsGoneStopsWithoutTouchingIt) {
    const auto start = [this](DiagnosticsJob& job) {
        FitJobAddress(u"10.0.2.9", job);
        job.targetWindow = Create(kTestClass, WS_POPUP);
        job.messageId = WM_DIAG_PROGRESS;
        return CreateThread(nullptr, 0, PingWorker, &job, 0, &job.workerId);
    };
    // Gone during the start pause: nothing at all is sent.
    auto job = std::make_unique<DiagnosticsJob>();
    HANDLE early = start(*job);
    job.reset();
    EXPECT_EQ(WaitForSingleObject(early, 5000), WAIT_OBJECT_0);
    CloseHandle(early);
    EXPECT_TRUE(SentEchoes().empty());

    // Gone while the worker waits for the page to take its header: the send returns once
    // the page's window is gone too, and the worker ends without a further echo.
    job = std::make_unique<DiagnosticsJob>();
    HANDLE late = start(*job);
    const DWORD begun = GetTickCount();
    while (RecordedOf(WM_DIAG_PROGRESS).empty() && GetTickCount() - begun < 5000) {
        PumpMessages();
        Sleep(1);
    }
    ASSERT_FALSE(RecordedOf(WM_DIAG_PROGRESS).empty()) << "the header never came";
    Sleep(50);
    job.reset();
    DestroyWindow(created_.back());
    EXPECT_EQ(WaitForSingleObject(late, 5000), WAIT_OBJECT_0);
    CloseHandle(late);
    EXPECT_LE(SentEchoes().size(), 1u);
}

}  // namespace
}  // namespace tessalink::test
