// The device's screen in a real browser: Debian's chromium, headless, opens the address
// the device prints, shows the first frame, and its taps, touches and typing reach the
// program's window; the canvas then holds exactly the device's own screenshot. Skipped
// only when chromium cannot be started.
#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>

#include "chromium_session.h"
#include "display/png_file.h"

namespace {

using namespace std::chrono_literals;
using tessalink::test::ChildProcess;
using tessalink::test::StreamReader;

// The canvas's pixels, each as the little-endian word of its R, G, B and A bytes.
constexpr const char* kCanvasPixels =
    "Array.from(new Uint32Array(document.getElementById('screen').getContext('2d')"
    ".getImageData(0, 0, 240, 320).data.buffer))";

// The tap pad on a web display with a script on standard input, and a browser on it.
class WebDisplayBrowserTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string why;
        browser_ = ChromiumSession::Launch(why);
        if (!browser_) {
            GTEST_SKIP() << why;
        }
        device_ = std::make_unique<ChildProcess>(
            ChildProcess::Options{.arguments = {TESSALINK_E2E_DEVICE, "--display=web", "--listen",
                                                "127.0.0.1:0", "--clock", "10:30", "--script", "-"},
                                  .unsetVariables = {"DISPLAY", "WAYLAND_DISPLAY"}});
        errors_.emplace(device_->Errors());
        output_.emplace(device_->Output());
    }

    // The pad's text once script `lines` have run; a failed line ends the device, and
    // then what it said is part of the test's failure.
    std::string PadTextAfter(const std::string& lines) {
        static const std::regex kPadText(R"re("text":"(Tapped at [^"]*)")re");
        device_->Write(lines + "dump\n");
        const auto dump = output_->LineContaining("[", 10s);
        std::smatch text;
        if (!dump || !std::regex_search(*dump, text, kPadText)) {
            errors_->LineContaining("script line", 1s);
            ADD_FAILURE() << "no pad text after: " << lines << errors_->All();
            return {};
        }
        return text[1];
    }

    // The page point at the middle of screen pixel (x, y).
    std::pair<double, double> PagePoint(int x, int y) {
        const auto box = browser_->Evaluate(
            "(() => { const r = document.getElementById('screen').getBoundingClientRect();"
            " return [r.left, r.top, r.width / 240, r.height / 320]; })()",
            5s);
        return box ? std::pair{(*box)[0].get<double>() + (x + 0.5) * (*box)[2].get<double>(),
                               (*box)[1].get<double>() + (y + 0.5) * (*box)[3].get<double>()}
                   : std::pair{-1.0, -1.0};
    }

    std::unique_ptr<ChromiumSession> browser_;
    std::unique_ptr<ChildProcess> device_;
    std::optional<StreamReader> errors_;
    std::optional<StreamReader> output_;
};

TEST_F(WebDisplayBrowserTest, TapsTouchesAndTypingReachThePadAndTheCanvasIsTheScreen) {
    const auto line = errors_->LineContaining("http://127.0.0.1:", 10s);
    ASSERT_TRUE(line) << errors_->All();
    const auto start = line->find("http://");
    ASSERT_TRUE(browser_->Open(line->substr(start, line->find(' ', start) - start)));
    ASSERT_TRUE(browser_->Evaluate("tessalinkFrameAfter(0)", 10s)) << "no first frame";

    // The device's own taps at two points of the pad say what the browser's must say there.
    const std::string first = PadTextAfter("until id=100 visible 5000\ntap 40 96\n");
    const std::string second = PadTextAfter("tap 27 75\n");
    ASSERT_NE(first, second);

    auto [x, y] = PagePoint(40, 96);
    ASSERT_TRUE(browser_->Click(x, y));
    EXPECT_EQ(PadTextAfter("until id=100 text=\"" + first + "\" 5000\n"), first);

    std::tie(x, y) = PagePoint(27, 75);
    ASSERT_TRUE(browser_->Touch(x, y));
    ASSERT_TRUE(browser_->Type("h"));
    ASSERT_TRUE(browser_->Type("é"));
    const std::string typed = second + "hé";
    EXPECT_EQ(PadTextAfter("until id=100 text=\"" + typed + "\" 5000\n"), typed);

    const auto shot = std::filesystem::path(testing::TempDir()) / "web_display_shot.png";
    device_->Write("shot " + shot.string() + "\ndump\n");
    ASSERT_TRUE(output_->LineContaining("[", 10s));
    const auto expected = platform::display::ReadPng(shot.string());
    std::filesystem::remove(shot);
    ASSERT_TRUE(expected);
    // The last frames may still be on their way to the canvas.
    std::vector<std::uint32_t> canvas;
    for (int attempt = 0; attempt < 50 && canvas != expected->pixels; ++attempt) {
        const auto pixels = browser_->Evaluate(kCanvasPixels, 5s);
        ASSERT_TRUE(pixels && pixels->is_array());
        canvas.clear();
        for (const std::uint32_t rgba : *pixels) {
            canvas.push_back((rgba & 0xFF) << 16 | (rgba & 0xFF00) | (rgba >> 16 & 0xFF));
        }
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_TRUE(canvas == expected->pixels) << "the canvas differs from the device's screenshot";

    device_->Write("quit\n");
    EXPECT_EQ(device_->Wait(10s), 0) << errors_->All();
}

TEST(WebDisplayDefault, WithoutADesktopOrScriptTheDevicePrintsTheAddressToOpen) {
    ChildProcess device(ChildProcess::Options{.arguments = {TESSALINK_E2E_DEVICE},
                                              .unsetVariables = {"DISPLAY", "WAYLAND_DISPLAY"}});
    StreamReader errors(device.Errors());
    const auto line = errors.LineContaining("http://127.0.0.1:", 10s);
    ASSERT_TRUE(line) << errors.All();
    const int port = std::stoi(line->substr(line->find("http://127.0.0.1:") + 17));
    const auto page = httplib::Client("127.0.0.1", port).Get("/");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    device.Signal(SIGTERM);
}

}  // namespace
