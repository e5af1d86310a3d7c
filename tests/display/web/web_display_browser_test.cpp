// The device's screen in a real browser: Debian's chromium, headless, opens the address
// the device prints, shows the first frame, and its taps, touches and typing reach the
// program's window; the canvas then holds exactly the device's own screenshot. Skipped
// only when chromium cannot be started.
#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "chromium_session.h"
#include "display/png_file.h"
#include "from_base64.h"

namespace {

using namespace std::chrono_literals;
using nlohmann::json;
using tessalink::test::ChildProcess;
using tessalink::test::StreamReader;

constexpr int kPadId = 100;

// The canvas's pixels as 0x00RRGGBB, read through a base64 string so that the 300 KB
// travel as one value.
constexpr const char* kCanvasPixels = R"((() => {
  const data = document.getElementById("screen").getContext("2d")
                   .getImageData(0, 0, 240, 320).data;
  let text = "";
  for (let i = 0; i < data.length; i += 8192) {
    text += String.fromCharCode.apply(null, data.subarray(i, i + 8192));
  }
  return btoa(text);
})())";

std::vector<std::uint32_t> DecodeCanvas(const std::string& base64) {
    const std::vector<unsigned char> bytes = FromBase64(base64);
    std::vector<std::uint32_t> pixels;
    for (std::size_t i = 0; i + 3 < bytes.size(); i += 4) {
        pixels.push_back(static_cast<std::uint32_t>(bytes[i]) << 16 | bytes[i + 1] << 8 |
                         bytes[i + 2]);
    }
    return pixels;
}

const json* FindWindow(const json& windows, int id) {
    for (const json& window : windows) {
        if (window.value("id", -1) == id) {
            return &window;
        }
        if (const json* found = FindWindow(window["children"], id)) {
            return found;
        }
    }
    return nullptr;
}

// The pad's text in a dump; empty when the dump has no pad.
std::string PadText(const json& dump) {
    const json* pad = FindWindow(dump, kPadId);
    return pad ? pad->value("text", "") : std::string();
}

// The tap pad on a web display with a script on standard input, and a browser on it.
class WebDisplayBrowserTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string why;
        browser_ = ChromiumSession::Launch(why);
        if (!browser_) {
            GTEST_SKIP() << why;
        }
        directory_ =
            std::filesystem::temp_directory_path() / ("tessalink-web-" + std::to_string(getpid()));
        std::filesystem::create_directories(directory_);
    }

    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }

    // Starts the device and returns the address it printed.
    std::string StartDevice(const std::vector<std::string>& options) {
        std::vector<std::string> arguments{TESSALINK_E2E_DEVICE};
        arguments.insert(arguments.end(), options.begin(), options.end());
        device_ = std::make_unique<ChildProcess>(ChildProcess::Options{
            .arguments = arguments, .unsetVariables = {"DISPLAY", "WAYLAND_DISPLAY"}});
        errors_.emplace(device_->Errors());
        output_.emplace(device_->Output());
        const auto line = errors_->LineContaining("http://", 10s);
        if (!line) {
            return {};
        }
        const auto start = line->find("http://");
        return line->substr(start, line->find(' ', start) - start);
    }

    // Runs script lines and then a dump, and returns the dump; a failed script line ends
    // the device, and then what it said is part of the test's failure.
    json Script(const std::string& lines) {
        device_->Write(lines + "dump\n");
        const auto line = output_->LineContaining("[", 10s);
        if (!line) {
            errors_->LineContaining("script line", 1s);
            ADD_FAILURE() << "no dump after: " << lines << errors_->All();
            return json::array();
        }
        return json::parse(*line, nullptr, false);
    }

    // The page point at the middle of a screen pixel.
    std::pair<double, double> PagePoint(int x, int y) {
        const auto box = browser_->Evaluate(
            "(() => { const r = document.getElementById('screen').getBoundingClientRect();"
            " return [r.left, r.top, r.width, r.height]; })()",
            5s);
        if (!box) {
            return {-1, -1};
        }
        const auto& b = *box;
        return {b[0].get<double>() + (x + 0.5) * b[2].get<double>() / 240,
                b[1].get<double>() + (y + 0.5) * b[3].get<double>() / 320};
    }

    std::unique_ptr<ChromiumSession> browser_;
    std::unique_ptr<ChildProcess> device_;
    std::filesystem::path directory_;
    std::optional<StreamReader> errors_;
    std::optional<StreamReader> output_;
};

TEST_F(WebDisplayBrowserTest, TapsTouchesAndTypingReachThePadAndTheCanvasIsTheScreen) {
    const std::string url = StartDevice(
        {"--display=web", "--listen", "127.0.0.1:0", "--clock", "10:30", "--script", "-"});
    ASSERT_EQ(url.rfind("http://127.0.0.1:", 0), 0u) << errors_->All();
    ASSERT_TRUE(browser_->Open(url));
    ASSERT_TRUE(browser_->Evaluate("tessalinkFrameAfter(0)", 10s)) << "no first frame";

    const json before = Script("until id=100 visible 5000\n");
    const json* pad = FindWindow(before, kPadId);
    ASSERT_NE(pad, nullptr) << before.dump();
    const int left = (*pad)["rect"]["left"].get<int>();
    const int top = (*pad)["rect"]["top"].get<int>();
    // The device's own taps at two points say what the browser's must say there.
    const auto tapAt = [](int x, int y) {
        return "tap " + std::to_string(x) + " " + std::to_string(y) + "\n";
    };
    const std::string first = PadText(Script(tapAt(left + 20, top + 30)));
    const std::string second = PadText(Script(tapAt(left + 7, top + 9)));
    ASSERT_EQ(first.rfind("Tapped at ", 0), 0u) << first;
    ASSERT_NE(first, second);

    auto [x, y] = PagePoint(left + 20, top + 30);
    ASSERT_TRUE(browser_->Click(x, y));
    EXPECT_EQ(PadText(Script("until id=100 text=\"" + first + "\" 5000\n")), first);

    std::tie(x, y) = PagePoint(left + 7, top + 9);
    ASSERT_TRUE(browser_->Touch(x, y));
    ASSERT_TRUE(browser_->Type("h"));
    ASSERT_TRUE(browser_->Type("é"));
    const std::string typed = second + "hé";
    EXPECT_EQ(PadText(Script("until id=100 text=\"" + typed + "\" 5000\n")), typed);

    const auto shot = directory_ / "shot.png";
    Script("shot " + shot.string() + "\n");
    const auto expected = platform::display::ReadPng(shot.string());
    ASSERT_TRUE(expected);
    // The last frames may still be on their way to the canvas.
    std::vector<std::uint32_t> canvas;
    for (int attempt = 0; attempt < 50 && canvas != expected->pixels; ++attempt) {
        const auto pixels = browser_->Evaluate(kCanvasPixels, 5s);
        ASSERT_TRUE(pixels && pixels->is_string());
        canvas = DecodeCanvas(pixels->get<std::string>());
        std::this_thread::sleep_for(20ms);
    }
    ASSERT_EQ(canvas.size(), expected->pixels.size());
    EXPECT_TRUE(canvas == expected->pixels) << "the canvas differs from the device's screenshot";

    // Quitting ends the program, and the device closes its server on the way out.
    device_->Write("quit\n");
    EXPECT_EQ(device_->Wait(10s), 0) << errors_->All();
    const auto port = std::stoi(url.substr(url.rfind(':') + 1));
    EXPECT_FALSE(httplib::Client("127.0.0.1", port).Get("/"));
}

TEST_F(WebDisplayBrowserTest, GarbageFromABrowserIsRefusedAndTheDeviceCarriesOn) {
    const std::string url =
        StartDevice({"--display=web", "--listen", "127.0.0.1:0", "--script", "-"});
    ASSERT_FALSE(url.empty()) << errors_->All();
    ASSERT_TRUE(browser_->Open(url));
    ASSERT_TRUE(browser_->Evaluate("tessalinkFrameAfter(0)", 10s));
    const auto status = browser_->Evaluate(
        R"(Promise.all(['{"type":', '[{"type":"down","x":5000,"y":1}]', '[{"type":"warp"}]']
             .map(body => fetch("input", {method: "POST", body}).then(r => r.status))))",
        5s);
    ASSERT_TRUE(status);
    EXPECT_EQ(*status, json({400, 400, 400}));
    const json after = Script("until id=100 visible 5000\n");
    EXPECT_EQ(PadText(after), "Hello");
    device_->Write("quit\n");
    EXPECT_EQ(device_->Wait(10s), 0);
    // Everything it wrote, up to the end of its error stream.
    errors_->LineContaining("\x01", 2s);
    const std::string& log = errors_->All();
    const auto first = log.find("malformed input");
    ASSERT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find("malformed input", first + 1), std::string::npos) << log;
}

TEST(WebDisplayDefault, WithoutADesktopOrScriptTheDevicePrintsTheAddressToOpen) {
    ChildProcess device(ChildProcess::Options{.arguments = {TESSALINK_E2E_DEVICE},
                                              .unsetVariables = {"DISPLAY", "WAYLAND_DISPLAY"}});
    StreamReader errors(device.Errors());
    const auto line = errors.LineContaining("http://", 10s);
    ASSERT_TRUE(line) << errors.All();
    const auto start = line->find("http://127.0.0.1:");
    ASSERT_NE(start, std::string::npos) << *line;
    const int port = std::stoi(line->substr(start + 17));
    const auto page = httplib::Client("127.0.0.1", port).Get("/");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    device.Signal(SIGTERM);
}

}  // namespace
