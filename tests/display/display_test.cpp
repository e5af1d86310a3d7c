// The screen's presenters: screenshots of the composed screen, and the SDL window driven
// by synthetic events under a virtual X server.
#include <SDL.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "child_process.h"
#include "display/busy_indicator.h"
#include "display/composed_frame.h"
#include "display/display.h"
#include "display/display_input_record.h"
#include "display/framebuffer.h"
#include "display/png_file.h"

namespace platform::display {
namespace {

std::vector<std::uint32_t> ScreenPixels() {
    auto lock = Screen().Lock();
    return Screen().Snapshot();
}

// The screenshot is the screen as shown: with the busy ring over it, never in it. (The
// golden screens of the end-to-end tests hold the screen's own pixels.)
TEST(Display, ScreenshotHoldsTheBusyRingOverTheScreen) {
    const std::vector<std::uint32_t> screen = ScreenPixels();
    const auto path = std::filesystem::path(testing::TempDir()) / "display_shot.png";
    SetBusy(true);
    ASSERT_TRUE(SaveScreenshot(path.string()));
    SetBusy(false);
    const auto image = ReadPng(path.string());
    std::filesystem::remove(path);
    ASSERT_TRUE(image);
    ASSERT_EQ(image->pixels.size(), screen.size());
    int changed = 0;
    for (std::size_t i = 0; i < screen.size(); ++i) {
        changed += screen[i] != image->pixels[i];
    }
    EXPECT_GT(changed, 200) << "the ring is drawn in the screenshot";
    EXPECT_LT(changed, 40 * 40);
    const std::size_t centre = kScreenHeight / 2 * kScreenWidth + kScreenWidth / 2;
    EXPECT_EQ(image->pixels[centre], screen[centre]) << "the ring's hole shows the screen";
    EXPECT_EQ(ScreenPixels(), screen) << "the ring never touches the screen";
    EXPECT_FALSE(SaveScreenshot("/nonexistent-directory/shot.png"));
}

// Pushes a left-button or motion event at window point (x, y).
void PushMouse(Uint32 type, int x, int y) {
    SDL_Event event{};
    event.type = type;
    if (type == SDL_MOUSEMOTION) {
        event.motion.x = x;
        event.motion.y = y;
    } else {
        event.button.button = SDL_BUTTON_LEFT;
        event.button.x = x;
        event.button.y = y;
    }
    SDL_PushEvent(&event);
}

// SDL's video start loads X11 client libraries that keep allocations after SDL unloads
// them, which LeakSanitizer cannot attribute to a module to suppress: the window test
// runs again in a child of this executable with leak checking off, and the rest of the
// executable keeps it.
TEST(Display, WindowTurnsMouseAndKeysIntoStylusAndKeys) {
    if (!std::getenv("TESSALINK_WINDOW_TEST_CHILD")) {
        const char* options = std::getenv("ASAN_OPTIONS");
        tessalink::test::ChildProcess child(
            "env", {"TESSALINK_WINDOW_TEST_CHILD=1",
                    "ASAN_OPTIONS=" + std::string(options ? options : "") + ":detect_leaks=0",
                    std::filesystem::read_symlink("/proc/self/exe").string(),
                    "--gtest_filter=Display.WindowTurnsMouseAndKeysIntoStylusAndKeys"});
        tessalink::test::StreamReader output(child.Output());
        const bool skipped =
            output.LineContaining("[  SKIPPED ]", std::chrono::seconds(30)).has_value();
        output.LineContaining("\x01", std::chrono::seconds(10));
        ASSERT_EQ(child.Wait(), 0) << output.All();
        if (skipped) {
            GTEST_SKIP() << output.All();
        }
        return;
    }
    // A virtual X server on a display number of its choosing, which it prints once
    // it is ready.
    tessalink::test::ChildProcess server(
        "Xvfb", {"-displayfd", "1", "-screen", "0", "640x800x24", "-nolisten", "tcp"});
    const auto number = server.ReadLine();
    if (!number) {
        GTEST_SKIP() << "Xvfb is not installed or did not start (Debian package xvfb)";
    }
    setenv("DISPLAY", (":" + *number).c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    ASSERT_TRUE(DesktopDisplayAvailable());

    DisplayInputRecord record;
    DisplayOptions options;
    options.scale = 3;
    options.input = record.Callbacks();
    auto window = CreateDisplay(DisplayKind::Window, options);
    std::string error;
    ASSERT_TRUE(window->Start(error)) << error;

    PushMouse(SDL_MOUSEMOTION, 30, 30);  // no stylus yet: hovering is not a move
    PushMouse(SDL_MOUSEBUTTONDOWN, 300, 601);
    PushMouse(SDL_MOUSEMOTION, 3000, 12);
    PushMouse(SDL_MOUSEBUTTONUP, 303, 603);
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = SDLK_a;
    SDL_PushEvent(&event);
    event.type = SDL_KEYUP;
    SDL_PushEvent(&event);
    event = {};
    event.type = SDL_TEXTINPUT;
    std::snprintf(event.text.text, sizeof(event.text.text), "a\xC3\xA9");  // "aé"
    SDL_PushEvent(&event);
    event = {};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);

    const std::vector<std::string> expected = {
        "down 100,200", "move 239,4", "up 101,201", "key 65 down", "key 65 up", "char 233", "quit"};
    EXPECT_EQ(record.WaitFor(expected.size(), std::chrono::seconds(2)), expected);
    window->Stop();
    window->Stop();
    server.Signal(SIGTERM);
    server.Wait();
}

}  // namespace
}  // namespace platform::display
