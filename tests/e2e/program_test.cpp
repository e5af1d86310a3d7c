// Tessalink itself, started as a person starts it, on a simulated network: the frame
// with its tabs and menu bar, every page, the About box, "Exit", and a second start
// while the first runs. Each test has its own runtime directory, so its copy of the
// program is the only one it can find.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>

#include "device_run.h"

namespace {

namespace fs = std::filesystem;

constexpr int kAdaptersPageControl = 1018;     // "Release DHCP"
constexpr int kDiagnosticsPageControl = 1032;  // "Action"
constexpr int kVersion = 1020;
constexpr int kBuildLine = 1031;
constexpr const char* kStarted = "until class=SysTabControl32 visible 5000\n";
// Where a person taps: the tabs, and the menu bar's buttons and the About box's "ok".
constexpr const char* kTapPing = "tap 68 284\n";
constexpr const char* kTapArp = "tap 102 284\n";
constexpr const char* kTapAbout = "tap 50 306\n";
constexpr const char* kTapExit = "tap 18 306\n";
constexpr const char* kTapOk = "tap 228 13\n";

class ProgramTest : public DeviceTest {
  protected:
    void SetUp() override {
        DeviceTest::SetUp();
        fs::create_directories(directory_ / "runtime");
        fs::permissions(directory_ / "runtime", fs::perms::owner_all);
    }

    std::string Environment() const {
        return "XDG_RUNTIME_DIR='" + (directory_ / "runtime").string() + "'";
    }
    std::vector<std::string> Options() const {
        return {"--display=headless",
                "--script",
                "-",
                "--clock",
                "09:41",
                std::string("--network=") + TESSALINK_E2E_PROGRAM_SCENARIO};
    }

    DeviceRun Run(const std::string& script) {
        return RunDevice(TESSALINK_E2E_PROGRAM, directory_, Options(), kStarted + script,
                         Environment());
    }
};

// The visible page of the frame in a dump: "Summary", "Ping" or "ARP".
std::string VisiblePage(const nlohmann::json& dump) {
    const auto* frame = FindByClass(dump, "Tessalink");
    if (!frame) {
        return "no frame";
    }
    std::string visible;
    for (const auto& page : frame->at("children")) {
        if (page.at("class") != "#32770" || !page.at("visible").get<bool>()) {
            continue;
        }
        const auto& controls = page.at("children");
        visible += FindById(controls, kAdaptersPageControl)      ? "Summary"
                   : FindById(controls, kDiagnosticsPageControl) ? "Ping"
                                                                 : "ARP";
    }
    return visible;
}

TEST_F(ProgramTest, StartsOnTheSummaryTabAndEachTabShowsItsPage) {
    const auto run = Run("dump\nshot " + (directory_ / "summary.png").string() + "\n" + kTapPing +
                         "dump\nshot " + (directory_ / "ping.png").string() + "\n" + kTapArp +
                         "dump\nshot " + (directory_ / "arp.png").string() + "\n" + kTapExit);
    ASSERT_EQ(run.status, 1) << "\"Exit\" ends the program with status 1\n" << run.errors;
    const auto dumps = Dumps(run.output);
    ASSERT_EQ(dumps.size(), 3u);

    const auto* tabs = FindByClass(dumps[0], "SysTabControl32");
    ASSERT_NE(tabs, nullptr);
    std::vector<std::string> labels;
    for (const auto& item : tabs->at("content").at("items")) {
        labels.push_back(item.at("text"));
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"Summary", "Ping", "ARP"}));
    const auto* menuBar = FindByClass(dumps[0], "MenuBar");
    ASSERT_NE(menuBar, nullptr);
    const auto& buttons = menuBar->at("content").at("buttons");
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0].at("text"), "Exit");
    EXPECT_EQ(buttons[1].at("image"), 0) << "the About button shows its picture";

    EXPECT_EQ(VisiblePage(dumps[0]), "Summary");
    EXPECT_EQ(VisiblePage(dumps[1]), "Ping");
    EXPECT_EQ(VisiblePage(dumps[2]), "ARP");
    ExpectMatchesGolden(directory_ / "summary.png", "program_summary.png");
    ExpectMatchesGolden(directory_ / "ping.png", "program_ping.png");
    ExpectMatchesGolden(directory_ / "arp.png", "program_arp.png");
}

TEST_F(ProgramTest, DetailViewListsTheCradlesSettingsAndGivesTheSummaryBack) {
    constexpr const char* kTapDetailView = "tap 166 258\n";
    const auto shot = directory_ / "summary_detail.png";
    const auto run = Run(std::string(kTapDetailView) + "until id=1004 visible 3000\ndump\nshot " +
                         shot.string() + "\n" + kTapDetailView + "dump\n" + kTapExit);
    ASSERT_EQ(run.status, 1) << run.errors;
    const auto dumps = Dumps(run.output);
    ASSERT_EQ(dumps.size(), 2u);

    const auto* list = FindById(dumps[0], 1004);
    ASSERT_NE(list, nullptr);
    std::vector<std::string> labels;
    for (const auto& row : list->at("content").at("rows")) {
        labels.push_back(row.at("cells").at(0));
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"Host", "Domain", "IP Address", "Subnet Mask",
                                                "DHCP Server", "Lease Obtained", "Lease Expires",
                                                "Gateway", "DNS Server", "Interface Speed"}));
    const auto* releaseInDetail = FindById(dumps[0], kAdaptersPageControl);
    const auto* releaseInSummary = FindById(dumps[1], kAdaptersPageControl);
    ASSERT_TRUE(releaseInDetail && releaseInSummary);
    EXPECT_FALSE(releaseInDetail->at("visible").get<bool>());
    EXPECT_TRUE(releaseInSummary->at("visible").get<bool>()) << "the summary comes back";
    ExpectMatchesGolden(shot, "program_summary_detail.png");
}

TEST_F(ProgramTest, AboutShowsTheVersionAndBuildAndItsOkKeepsThePage) {
    const auto shot = directory_ / "about.png";
    const auto run = Run(std::string(kTapPing) + kTapAbout +
                         "until id=1020 visible 3000\ndump\nshot " + shot.string() + "\n" + kTapOk +
                         "until class=MenuBar visible 3000\n"
                         "dump\n" +
                         kTapExit);
    ASSERT_EQ(run.status, 1) << run.errors;
    const auto dumps = Dumps(run.output);
    ASSERT_EQ(dumps.size(), 2u);

    const auto* version = FindById(dumps[0], kVersion);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->at("text"), "2.0");
    const auto* build = FindById(dumps[0], kBuildLine);
    ASSERT_NE(build, nullptr);
    const std::string line = build->at("text");
    ASSERT_EQ(line.rfind("Built on ", 0), 0u) << line;
    EXPECT_EQ(line.size(), std::string("Built on ").size() + 24) << line;

    // The build line changes with every build; the rest of the box must not.
    const auto& rect = build->at("rect");
    ExpectMatchesGolden(shot, "program_about.png",
                        ScreenArea{rect.at("left").get<int>(), rect.at("top").get<int>(),
                                   rect.at("right").get<int>(), rect.at("bottom").get<int>()});

    for (const auto& window : dumps[1]) {
        EXPECT_NE(window.at("class"), "#32770") << "the box is gone";
    }
    EXPECT_EQ(VisiblePage(dumps[1]), "Ping") << "the frame kept its page";
}

// Writes a script to a running device line by line, as a person at a terminal would.
class RunningDevice {
  public:
    RunningDevice(const std::string& command) : pipe_(popen(command.c_str(), "w")) {}
    ~RunningDevice() {
        if (pipe_) {
            pclose(pipe_);
        }
    }
    void Send(const std::string& lines) {
        std::fputs(lines.c_str(), pipe_);
        std::fflush(pipe_);
    }
    // The device's exit status once its script has ended.
    int Finish() {
        const int status = pclose(pipe_);
        pipe_ = nullptr;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    FILE* pipe_;
};

bool WaitForFile(const fs::path& path) {
    for (int attempt = 0; attempt < 200 && !fs::exists(path); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return fs::exists(path);
}

TEST_F(ProgramTest, ASecondStartBringsTheFirstForwardAndEnds) {
    const auto firstOutput = directory_ / "first.txt";
    RunningDevice first(DeviceCommand(TESSALINK_E2E_PROGRAM, Options(), Environment()) + " >'" +
                        firstOutput.string() + "' 2>&1");
    const auto ready = directory_ / "ready.json";
    first.Send(std::string(kStarted) + kTapAbout + "until id=1020 visible 3000\ndump " +
               ready.string() + "\n");
    ASSERT_TRUE(WaitForFile(ready)) << "the first copy never showed its About box";

    const auto second =
        RunDevice(TESSALINK_E2E_PROGRAM, directory_, Options(), "dump\n", Environment());
    EXPECT_EQ(second.status, 1) << second.errors;
    for (const auto& dump : Dumps(second.output)) {
        EXPECT_EQ(FindByClass(dump, "Tessalink"), nullptr) << "the second copy made no frame";
    }

    first.Send("dump\n" + std::string(kTapOk) + kTapExit);
    EXPECT_EQ(first.Finish(), 1) << "the first copy ran on to its own \"Exit\"";
    std::ifstream output(firstOutput);
    std::string last;
    for (std::string line; std::getline(output, line);) {
        if (!line.empty() && line[0] == '[') {
            last = line;
        }
    }
    ASSERT_FALSE(last.empty());
    // The About box is still the topmost of the first copy's windows, in front.
    const auto windows = nlohmann::json::parse(last);
    const auto about = std::find_if(windows.begin(), windows.end(), [](const auto& window) {
        return window.at("class") == "#32770" && window.at("visible").template get<bool>();
    });
    ASSERT_NE(about, windows.end());
    EXPECT_NE(FindById(about->at("children"), kVersion), nullptr);
}

TEST_F(ProgramTest, AHeldNameWithoutAFrameIsWaitedForAndThenIgnored) {
    // Another process holds the name but never shows a frame (one that is still
    // starting, or hung): the new copy asks again for a while, then starts in full.
    setenv("XDG_RUNTIME_DIR", (directory_ / "runtime").c_str(), 1);
    const HANDLE name = CreateMutexW(nullptr, FALSE, u"Tessalink");
    ASSERT_NE(name, nullptr);
    const auto started = std::chrono::steady_clock::now();
    const auto run = Run(std::string("dump\n") + kTapExit);
    const auto waited = std::chrono::steady_clock::now() - started;
    CloseHandle(name);

    EXPECT_EQ(run.status, 1) << run.errors;
    const auto dumps = Dumps(run.output);
    ASSERT_EQ(dumps.size(), 1u);
    EXPECT_EQ(VisiblePage(dumps[0]), "Summary");
    EXPECT_GE(waited, std::chrono::milliseconds(2400)) << "25 attempts, 100 ms apart";
}

}  // namespace
