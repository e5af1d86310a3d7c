// The device driven by scripts, end to end: the tap pad program and the control gallery
// under the headless display (and the window display under a virtual X server), checked
// through what the script's dump and shot report and through the device's exit status.
// What each control does with taps and keys is tested with the controls.
#include <gtest/gtest.h>

#include <csignal>
#include <nlohmann/json.hpp>

#include "child_process.h"
#include "device_run.h"

namespace {

constexpr int kScriptFailure = 3;

class AutomationTest : public DeviceTest {
  protected:
    DeviceRun RunHeadless(const std::string& script, std::vector<std::string> extra = {}) {
        std::vector<std::string> arguments{"--display=headless", "--script", "-", "--clock",
                                           "10:30"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return RunDevice(TESSALINK_E2E_DEVICE, arguments, script);
    }
};

TEST_F(AutomationTest, TapsAndTypingReachThePadAndThePadLooksAsRecorded) {
    const auto shot = directory_ / "pad.png";
    // A comment and a blank line are skipped; the script's end quits the program, whose
    // WinMain result the device exits with.
    const auto run = RunHeadless("# the pad\nuntil class=TapPad text=Hello visible 5000\nshot " +
                                     shot.string() + "\n\ntap 120 80\ntext xy\ndump\n",
                                 {"--", "exit=7"});
    ASSERT_EQ(run.status, 7) << run.errors;
    const auto dumps = Dumps(run.output);
    ASSERT_EQ(dumps.size(), 1u) << run.output;
    const auto* pad = FindInDump(dumps[0], "id", 100);
    ASSERT_NE(pad, nullptr);
    // Screen (120, 80) is client (99, 13) inside the pad's one-pixel edge.
    EXPECT_EQ(pad->at("text"), "Tapped at 99,13xy");
    EXPECT_EQ(pad->at("focus"), true);
    ExpectMatchesGolden(shot, "tap_pad.png");
}

// The gallery with the input panel down, then up after typing through it into the
// focused edit; its "ok" ends the dialog, and the device, with IDOK.
TEST_F(AutomationTest, GalleryLooksAsRecordedWithTheInputPanelDownAndUp) {
    const auto gallery = directory_ / "gallery.png";
    const auto panel = directory_ / "input_panel.png";
    const auto run = RunDevice(
        TESSALINK_E2E_GALLERY, {"--display=headless", "--script", "-", "--clock", "10:30"},
        "until class=Static text=Centre visible 5000\nshot " + gallery.string() +
            "\n# the edit, the panel's button, then h and i on its keys\n"
            "tap 60 82\ntap 228 307\ntap 110 263\ntap 152 243\nshot " +
            panel.string() + "\ntap 228 307\ntap 228 13\n");
    ASSERT_EQ(run.status, 1) << "IDOK\n" << run.errors;
    ExpectMatchesGolden(gallery, "gallery.png");
    ExpectMatchesGolden(panel, "gallery_input_panel.png");
}

TEST_F(AutomationTest, FailingCommandStopsTheDeviceNamingItsLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"jump 10 10", "unknown command 'jump'"},
        {"tap 240 10", "x 240 is outside the screen"},
        {"move 10 ten", "y 'ten' is not a whole number"},
        {"key Ctrl+Banana", "no key is called 'Banana'"},
        {"until text=Nowhere 200", "no window matched within 200 ms"},
        {"until colour=red 200", "'colour=red' is not a query term"},
        {"text \"open", "a quote is not closed"},
    };
    for (const auto& [command, reason] : cases) {
        const auto run = RunHeadless("until class=TapPad 5000\n" + command + "\nshot never.png\n");
        EXPECT_EQ(run.status, kScriptFailure) << command;
        EXPECT_NE(run.errors.find("script line 2 (" + command + "): " + reason), std::string::npos)
            << run.errors;
    }
}

TEST_F(AutomationTest, AFailedWinMainIsReportedAndExitsWithItsLowByte) {
    const auto failed = RunHeadless("quit\n", {"--", "exit=-2147467259"});
    EXPECT_EQ(failed.status, 0x05);
    EXPECT_NE(failed.errors.find("0x80004005"), std::string::npos) << failed.errors;
}

TEST_F(AutomationTest, WindowDisplayShowsTheScreenUnderAnXServer) {
    // A virtual X server on a display number of its choosing, which it prints once
    // it is ready.
    tessalink::test::ChildProcess server(
        "Xvfb", {"-displayfd", "1", "-screen", "0", "640x480x24", "-nolisten", "tcp"});
    const auto number = server.ReadLine();
    if (!number) {
        GTEST_SKIP() << "Xvfb is not installed or did not start (Debian package xvfb)";
    }
    // SDL's X11 client libraries keep allocations LeakSanitizer cannot attribute, which
    // would turn a sanitizer build's exit status into a failure.
    const auto run =
        RunDevice("env",
                  {"DISPLAY=:" + *number, "ASAN_OPTIONS=detect_leaks=0", TESSALINK_E2E_DEVICE,
                   "--display=window", "--scale", "1", "--script", "-"},
                  "until class=TapPad visible 5000\ntap 120 80\n"
                  "until text=\"Tapped at 99,13\" 2000\nquit\n");
    server.Signal(SIGTERM);
    EXPECT_EQ(run.status, 0) << run.errors;
}

}  // namespace
