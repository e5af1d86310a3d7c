// The device driven by scripts, end to end: the tap pad program under the headless
// display (and the window display when an X server can be started), checked through
// what the script's dump and shot report and through the device's exit status.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "device_run.h"
#include "display/png_file.h"

namespace {

namespace fs = std::filesystem;

constexpr int kScriptFailure = 3;
constexpr int kPadId = 100;

class AutomationTest : public DeviceTest {
  protected:
    DeviceRun RunHeadless(const std::string& script, std::vector<std::string> extra = {}) {
        std::vector<std::string> arguments{"--display=headless", "--script", "-", "--clock",
                                           "10:30"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return RunDevice(TESSALINK_E2E_DEVICE, directory_, arguments, script);
    }
};

TEST_F(AutomationTest, TapsAndTypingReachThePadAndShowInDumpAndShot) {
    const auto shot = directory_ / "pad.png";
    const auto run = RunHeadless(
        "# the pad appears, is tapped and typed into\n"
        "until class=TapPad text=Hello visible 5000\n"
        "dump\n"
        "\n"
        "tap 120 80\n"
        "text xy\n"
        "dump\n"
        "shot " +
        shot.string() +
        "\n"
        "quit\n");
    ASSERT_EQ(run.status, 0) << run.errors;
    const auto dumps = Dumps(run.output);
    ASSERT_EQ(dumps.size(), 2u) << run.output;

    // The shell's bars and input panel stand in front of the program's frame.
    const auto* frame = FindByClass(dumps[0], "TapPadFrame");
    ASSERT_NE(frame, nullptr) << dumps[0];
    EXPECT_EQ(frame->at("text"), "Tap Pad");  // from the program's own resources
    EXPECT_EQ(frame->at("rect"),
              (nlohmann::json{{"left", 0}, {"top", 26}, {"right", 240}, {"bottom", 320}}));
    const auto* before = FindById(dumps[0], kPadId);
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(before->at("text"), "Hello");
    EXPECT_EQ(before->at("focus"), false);
    EXPECT_EQ(before->at("rect"),
              (nlohmann::json{{"left", 20}, {"top", 66}, {"right", 220}, {"bottom", 126}}));

    const auto* after = FindById(dumps[1], kPadId);
    ASSERT_NE(after, nullptr);
    // Screen (120, 80) is client (99, 13) inside the pad's one-pixel edge.
    EXPECT_EQ(after->at("text"), "Tapped at 99,13xy");
    EXPECT_EQ(after->at("focus"), true);
    EXPECT_EQ(after->at("visible"), true);
    EXPECT_EQ(after->at("enabled"), true);

    const auto image = platform::display::ReadPng(shot.string());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 240);
    EXPECT_EQ(image->height, 320);
}

// The pad at a fixed clock, pixel for pixel. After a deliberate change of look, rewrite
// the golden file with TESSALINK_UPDATE_GOLDEN=1 and review the new image.
TEST_F(AutomationTest, PadLooksAsRecorded) {
    const auto shot = directory_ / "pad.png";
    const auto run =
        RunHeadless("until class=TapPad visible 5000\nshot " + shot.string() + "\nquit\n");
    ASSERT_EQ(run.status, 0) << run.errors;
    ExpectMatchesGolden(shot, "tap_pad.png");
}

TEST_F(AutomationTest, FailingCommandStopsTheDeviceNamingItsLine) {
    struct Case {
        std::string command;
        std::string reason;
    };
    const Case cases[] = {
        {"jump 10 10", "unknown command 'jump'"},
        {"tap 240 10", "x 240 is outside the screen"},
        {"move 10 ten", "y 'ten' is not a whole number"},
        {"key Ctrl+Banana", "no key is called 'Banana'"},
        {"until text=Nowhere 200", "no window matched within 200 ms"},
        {"until colour=red 200", "'colour=red' is not a query term"},
        {"text \"open", "a quote is not closed"},
    };
    for (const auto& c : cases) {
        const auto run =
            RunHeadless("until class=TapPad 5000\n" + c.command + "\nshot never.png\n");
        EXPECT_EQ(run.status, kScriptFailure) << c.command;
        EXPECT_NE(run.errors.find("script line 2 (" + c.command + "): " + c.reason),
                  std::string::npos)
            << run.errors;
    }
}

TEST_F(AutomationTest, ExitStatusIsWinMainsResult) {
    // The end of a headless script quits the program as quit does.
    EXPECT_EQ(RunHeadless("until class=TapPad 5000\n", {"--", "exit=7"}).status, 7);

    const auto failed = RunHeadless("quit\n", {"--", "exit=-2147467259"});
    EXPECT_EQ(failed.status, 0x05);
    EXPECT_NE(failed.errors.find("0x80004005"), std::string::npos) << failed.errors;
}

// An X server of our own on a free display number, for as long as the test runs.
class XServer {
  public:
    bool Start() {
        for (int number = 91; number < 120 && pid_ <= 0; ++number) {
            if (fs::exists("/tmp/.X11-unix/X" + std::to_string(number)) ||
                fs::exists("/tmp/.X" + std::to_string(number) + "-lock")) {
                continue;
            }
            display_ = ":" + std::to_string(number);
            pid_ = fork();
            if (pid_ == 0) {
                execlp("Xvfb", "Xvfb", display_.c_str(), "-screen", "0", "640x480x24", "-nolisten",
                       "tcp", static_cast<char*>(nullptr));
                _exit(127);
            }
        }
        const auto socket = "/tmp/.X11-unix/X" + display_.substr(1);
        for (int i = 0; i < 100 && pid_ > 0 && !fs::exists(socket); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return pid_ > 0 && fs::exists(socket);
    }
    ~XServer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& Display() const { return display_; }

  private:
    pid_t pid_ = -1;
    std::string display_;
};

TEST_F(AutomationTest, WindowDisplayShowsTheScreenUnderAnXServer) {
    if (std::system("command -v Xvfb >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
    }
    XServer server;
    ASSERT_TRUE(server.Start()) << "Xvfb did not start";
    const auto shot = directory_ / "window.png";
    const auto run = RunDevice(
        TESSALINK_E2E_DEVICE, directory_, {"--display=window", "--scale", "1", "--script", "-"},
        "until class=TapPad visible 5000\ntap 120 80\nuntil text=\"Tapped at 99,13\" 2000\nshot " +
            shot.string() + "\nquit\n",
        // SDL's X11 client libraries keep allocations LeakSanitizer cannot attribute,
        // which would turn a sanitizer build's exit status into a failure.
        "DISPLAY=" + server.Display() + " ASAN_OPTIONS=detect_leaks=0");
    ASSERT_EQ(run.status, 0) << run.errors;
    const auto image = platform::display::ReadPng(shot.string());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 240);
}

}  // namespace
