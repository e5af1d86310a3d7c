#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ProgressRecorder.h"
#include "SimulatedNetwork.h"
#include "diagnostics/DiagnosticsProgress.h"
#include "diagnostics/PingWorker.h"

namespace {

using diagnostics_test::Address;
using diagnostics_test::Codes;
using diagnostics_test::Progress;
using diagnostics_test::ProgressRecorder;
using diagnostics_test::SentEchoes;

class PingWorkerTest : public ::testing::Test {
  protected:
    void SetUp() override { diagnostics_test::InstallNetwork({}); }

    static void InstallHost(std::optional<std::uint64_t> answers) {
        platform::net::sim::Scenario scenario;
        scenario.echoHosts = {
            diagnostics_test::EchoHost(Address(192, 168, 100, 200), 3, {}, answers)};
        diagnostics_test::InstallNetwork(scenario);
    }
};

TEST_F(PingWorkerTest, SingleEchoRunsHeaderReplyAndCompleteEnd) {
    InstallHost(std::nullopt);
    DiagnosticsJob job;
    job.count = 1;
    job.dataSize = 64;
    lstrcpyW(job.address, u"192.168.100.200");
    ProgressRecorder page(job);
    const std::vector<Progress> received = page.Run(PingWorker);

    ASSERT_EQ(Codes(received), (std::vector<WPARAM>{PING_HEADER, PING_REPLY, PING_END}));
    EXPECT_EQ(received[0].message, u"Ping Address - 192.168.100.200");
    EXPECT_EQ(received[1].address, u"192.168.100.200");
    EXPECT_EQ(received[1].dataSize, 64u);
    EXPECT_EQ(received[1].roundTripTime, 3u);
    EXPECT_EQ(received[2].failed, 0);
    // The run is marked over before its end message, so a page that enables its
    // controls there can start the next run at once; until then the mark stays set.
    EXPECT_NE(received[1].workerId, 0u);
    EXPECT_EQ(received[2].workerId, 0u);
    EXPECT_EQ(SentEchoes().size(), 1u);
}

TEST_F(PingWorkerTest, FirstFailedEchoEndsTheRun) {
    InstallHost(2);  // answers two echoes, then falls silent
    DiagnosticsJob job;
    lstrcpyW(job.address, u"192.168.100.200");
    ProgressRecorder page(job);
    const std::vector<Progress> received = page.Run(PingWorker);

    ASSERT_EQ(Codes(received),
              (std::vector<WPARAM>{PING_HEADER, PING_REPLY, PING_REPLY, PING_ERROR, PING_END}));
    EXPECT_EQ(received[3].failed, 1);
    EXPECT_EQ(received[3].message, u"Ping Failed.");
    // The end message carries the failed echo's record, cleared but for the flag.
    EXPECT_EQ(received[4].failed, 1);
    EXPECT_EQ(received[4].message, u"");
    EXPECT_EQ(received[4].workerId, 0u);
    EXPECT_EQ(job.results[2].failed, 1);
    EXPECT_EQ(std::u16string(job.results[1].address), u"192.168.100.200");
    EXPECT_EQ(SentEchoes().size(), 3u) << "the fourth echo is never sent";
}

TEST_F(PingWorkerTest, UnresolvableNameFailsWithAnEmptyLine) {
    DiagnosticsJob job;
    lstrcpyW(job.address, u"nowhere");
    ProgressRecorder page(job);
    const std::vector<Progress> received = page.Run(PingWorker);

    ASSERT_EQ(Codes(received), (std::vector<WPARAM>{PING_HEADER, PING_ERROR, PING_END}));
    EXPECT_EQ(received[1].failed, 0);
    EXPECT_EQ(received[1].message, u"");
    EXPECT_EQ(received[2].failed, 1);
    EXPECT_TRUE(SentEchoes().empty());
}

TEST_F(PingWorkerTest, CountOfZeroSendsNoEchoAndMoreEchoesThanRecordsReuseThem) {
    InstallHost(std::nullopt);
    DiagnosticsJob job;
    lstrcpyW(job.address, u"192.168.100.200");
    ProgressRecorder page(job);
    job.count = 0;
    EXPECT_EQ(Codes(page.Run(PingWorker)), (std::vector<WPARAM>{PING_HEADER, PING_END}));

    ProgressRecorder longer(job);
    job.count = kDiagnosticsResultCount + 5;
    const std::vector<Progress> received = longer.Run(PingWorker);
    ASSERT_EQ(received.size(), static_cast<size_t>(kDiagnosticsResultCount + 7));
    EXPECT_EQ(received.back().code, PING_END);
    EXPECT_EQ(received.back().failed, 0);
    EXPECT_EQ(SentEchoes().size(), static_cast<size_t>(kDiagnosticsResultCount + 5));
}

TEST_F(PingWorkerTest, WorkerWhoseJobIsGoneStopsWithoutTouchingIt) {
    InstallHost(std::nullopt);
    auto job = std::make_unique<DiagnosticsJob>();
    lstrcpyW(job->address, u"192.168.100.200");
    auto page = std::make_unique<ProgressRecorder>(*job);

    // Gone during the start pause: nothing at all is sent.
    HANDLE early = page->Start(PingWorker);
    job.reset();
    EXPECT_EQ(WaitForSingleObject(early, 5000), WAIT_OBJECT_0);
    CloseHandle(early);
    EXPECT_TRUE(SentEchoes().empty());

    // Gone while the worker waits for the page to take its first reply: the send
    // returns once the page's window is gone too, and the worker ends without a
    // further echo.
    job = std::make_unique<DiagnosticsJob>();
    lstrcpyW(job->address, u"192.168.100.200");
    page = std::make_unique<ProgressRecorder>(*job);
    HANDLE late = page->Start(PingWorker);
    ASSERT_TRUE(page->AwaitMessages(1));  // the header; the page then stops handling
    Sleep(50);
    job.reset();
    page.reset();
    EXPECT_EQ(WaitForSingleObject(late, 5000), WAIT_OBJECT_0);
    CloseHandle(late);
    EXPECT_LE(SentEchoes().size(), 1u);
}

}  // namespace
