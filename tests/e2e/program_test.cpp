// Tessalink itself, started as a person starts it, on a simulated network: its pages and
// About box pixel for pixel, "Exit" with status 1, and a second start while the first
// runs. What the pages do with the network's answers is tested with the pages. Each
// test has its own runtime directory, so its copy of the program is the only one it can
// find.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "child_process.h"
#include "device_run.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kVersion = 1020;
constexpr int kBuildLine = 1031;
const std::vector<std::string> kArguments{"--display=headless", "--script", "-", "--clock", "09:41",
                                          // Three adapters, the same on every run.
                                          "--network=" TESSALINK_E2E_PROGRAM_SCENARIO};
constexpr const char* kStarted = "until class=SysTabControl32 visible 5000\n";
// Where a person taps: the tabs, the detail view's switch, the menu bar's buttons and
// the About box's "ok".
constexpr const char* kTapPing = "tap 68 284\n";
constexpr const char* kTapArp = "tap 102 284\n";
constexpr const char* kTapDetailView = "tap 166 258\n";
constexpr const char* kTapAbout = "tap 50 306\n";
constexpr const char* kTapExit = "tap 18 306\n";
constexpr const char* kTapOk = "tap 228 13\n";

class ProgramTest : public DeviceTest {
  protected:
    void SetUp() override {
        DeviceTest::SetUp();
        fs::create_directories(directory_ / "runtime");
        fs::permissions(directory_ / "runtime", fs::perms::owner_all);
        setenv("XDG_RUNTIME_DIR", (directory_ / "runtime").c_str(), 1);
    }

    DeviceRun Run(const std::string& script, const std::string& started = kStarted) {
        return RunDevice(TESSALINK_E2E_PROGRAM, kArguments, started + script);
    }

    std::string Shot(const std::string& name) const {
        return "shot " + (directory_ / name).string() + "\n";
    }
};

TEST_F(ProgramTest, EveryPageLooksAsRecordedAndExitEndsWithOne) {
    const auto run = Run(Shot("summary.png") + kTapDetailView + "until id=1004 visible 3000\n" +
                         Shot("detail.png") + kTapDetailView + kTapPing + Shot("ping.png") +
                         kTapArp + Shot("arp.png") + kTapExit);
    ASSERT_EQ(run.status, 1) << "\"Exit\" ends the program with status 1\n" << run.errors;
    ExpectMatchesGolden(directory_ / "summary.png", "program_summary.png");
    ExpectMatchesGolden(directory_ / "detail.png", "program_summary_detail.png");
    ExpectMatchesGolden(directory_ / "ping.png", "program_ping.png");
    ExpectMatchesGolden(directory_ / "arp.png", "program_arp.png");
}

TEST_F(ProgramTest, AboutShowsTheVersionAndBuildAndItsOkKeepsThePage) {
    const auto run = Run(std::string(kTapPing) + kTapAbout + "until id=1020 visible 3000\ndump\n" +
                         Shot("about.png") + kTapOk +
                         // The frame kept its page: the Ping page's "Action" shows again.
                         "until id=1032 visible 3000\ndump\n" + kTapExit);
    ASSERT_EQ(run.status, 1) << run.errors;
    const auto dumps = Dumps(run.output);
    ASSERT_EQ(dumps.size(), 2u);
    // The version shows in the golden image; the build line changes with every build.
    const auto* build = FindInDump(dumps[0], "id", kBuildLine);
    ASSERT_TRUE(build);
    const std::string line = build->at("text");
    ASSERT_EQ(line.rfind("Built on ", 0), 0u) << line;
    EXPECT_EQ(line.size(), std::string("Built on ").size() + 24) << line;

    const auto& rect = build->at("rect");
    ExpectMatchesGolden(directory_ / "about.png", "program_about.png",
                        ScreenArea{rect.at("left").get<int>(), rect.at("top").get<int>(),
                                   rect.at("right").get<int>(), rect.at("bottom").get<int>()});
    for (const auto& window : dumps[1]) {
        EXPECT_NE(window.at("class"), "#32770") << "the box is gone";
    }
}

TEST_F(ProgramTest, ASecondStartBringsTheFirstForwardAndEnds) {
    tessalink::test::ChildProcess first(TESSALINK_E2E_PROGRAM, kArguments);
    tessalink::test::StreamReader output(first.Output());
    first.Write(std::string(kStarted) + kTapAbout + "until id=1020 visible 3000\ndump\n");
    ASSERT_TRUE(output.LineContaining("[", 10s)) << "the first copy never showed its About box";

    const auto second = Run("dump\n", "");
    EXPECT_EQ(second.status, 1) << second.errors;
    for (const auto& dump : Dumps(second.output)) {
        EXPECT_EQ(FindInDump(dump, "class", "Tessalink"), nullptr) << "the second made no frame";
    }

    first.Write("dump\n" + std::string(kTapOk) + kTapExit);
    const auto last = output.LineContaining("[", 10s);
    EXPECT_EQ(first.Wait(), 1) << "the first copy ran on to its own \"Exit\"";
    ASSERT_TRUE(last);
    const auto windows = nlohmann::json::parse(*last);
    const auto* version = FindInDump(windows, "id", kVersion);
    EXPECT_TRUE(version && version->at("visible")) << "the About box is still up";
}

TEST_F(ProgramTest, AHeldNameWithoutAFrameIsWaitedForAndThenIgnored) {
    // Another process holds the name but never shows a frame (one that is still
    // starting, or hung): the new copy asks again for a while, then starts in full.
    const HANDLE name = CreateMutexW(nullptr, FALSE, u"Tessalink");
    ASSERT_NE(name, nullptr);
    const auto started = std::chrono::steady_clock::now();
    const auto run = Run(std::string("dump\n") + kTapExit);
    const auto waited = std::chrono::steady_clock::now() - started;
    CloseHandle(name);

    EXPECT_EQ(run.status, 1) << run.errors;
    const auto dumps = Dumps(run.output);
    ASSERT_EQ(dumps.size(), 1u);
    EXPECT_NE(FindInDump(dumps[0], "class", "Tessalink"), nullptr) << "the frame is there";
    EXPECT_GE(waited, std::chrono::milliseconds(2400)) << "25 attempts, 100 ms apart";
}

}  // namespace
