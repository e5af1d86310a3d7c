// TrackPopupMenuEx driven as a person would: a timer that ticks inside the menu's modal
// loop scripts the stylus and the keys through the input sink.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <iterator>
#include <nlohmann/json.hpp>
#include <vector>

#include "user/dump_content.h"
#include "user/input/input_sink.h"
#include "user/posted_input.h"
#include "user/window_test.h"

namespace tessalink::test {
namespace {

constexpr UINT kReturnAndNotify = TPM_RETURNCMD | TPM_NONOTIFY;
constexpr POINT kOutside{200, 300};  // on the owner, away from any menu opened at (20, 50)

std::function<void()> menuScript;  // what the next Track runs inside the menu's loop

void CALLBACK RunMenuScript(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    menuScript();
}

class PopupMenuTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        owner_ = Create(kTestClass, WS_VISIBLE);
        menu_ = CreatePopupMenu();
        ASSERT_TRUE(AppendMenuW(menu_, MF_STRING | MF_CHECKED, 100, u"Ping"));
        ASSERT_TRUE(AppendMenuW(menu_, MF_STRING, 110, u"TraceRt"));
        ASSERT_TRUE(AppendMenuW(menu_, MF_STRING, 120, u"Resolve"));
        MessageLog::Instance().Clear();
    }

    void TearDown() override {
        DestroyMenu(menu_);
        WindowTest::TearDown();
    }

    // Tracks the menu at (x, y) with `script` running once the menu's loop runs.
    UINT Track(UINT flags, int x, int y, std::function<void()> script) {
        menuScript = std::move(script);
        SetTimer(nullptr, 0, 1, RunMenuScript);
        return static_cast<UINT>(TrackPopupMenuEx(menu_, flags, x, y, owner_, nullptr));
    }

    // The wParam of each `message` the owner received since the last call.
    static std::vector<WPARAM> Received(UINT message) {
        std::vector<WPARAM> received;
        std::ranges::transform(RecordedOf(message), std::back_inserter(received),
                               &RecordedMessage::wParam);
        return received;
    }

    static HWND OpenMenu() { return FindWindowW(u"#32768", nullptr); }

    HWND owner_ = nullptr;
    HMENU menu_ = nullptr;
};

TEST_F(PopupMenuTest, OpensWhereAskedShowingItsItems) {
    nlohmann::json shown;
    RECT menuRect{};
    const UINT command = Track(kReturnAndNotify, 20, 50, [&] {
        GetWindowRect(OpenMenu(), &menuRect);
        shown = DumpContent(OpenMenu());
        // The lift of the tap that opened the menu lands outside it and changes nothing.
        platform::user::PostStylus(platform::user::StylusAction::Up, 10, 40);
        PostTapOnRow(OpenMenu(), 1, 3);
    });
    EXPECT_EQ(command, 110u);
    EXPECT_EQ((std::array{menuRect.left, menuRect.top}), (std::array<LONG, 2>{20, 50}));
    ASSERT_EQ(shown["items"].size(), 3u);
    EXPECT_EQ(shown["items"][0]["text"], "Ping");
    EXPECT_TRUE(shown["items"][0]["checked"]);
    EXPECT_FALSE(shown["items"][1]["checked"]);
    EXPECT_TRUE(OpenMenu() == nullptr || !IsWindowVisible(OpenMenu()));

    // No room below the point: the menu opens above it, and stays on the screen.
    Track(kReturnAndNotify, 230, 310, [&] {
        GetWindowRect(OpenMenu(), &menuRect);
        PostKeyPress(VK_ESCAPE);
    });
    EXPECT_EQ(menuRect.bottom, 310);
    EXPECT_TRUE(menuRect.left >= 0 && menuRect.top >= 0 && menuRect.right <= 240);
}

// TPM_RETURNCMD returns the command instead of sending it, TPM_NONOTIFY keeps
// WM_INITMENUPOPUP from the owner; a tap outside or Escape chooses nothing.
TEST_F(PopupMenuTest, ChoiceIsReturnedOrSentAsTheFlagsAsk) {
    const struct {
        const char* what;
        UINT flags;
        std::function<void()> script;
        UINT result;
        std::vector<WPARAM> commands;
    } cases[] = {
        {"tap, return", kReturnAndNotify, [] { PostTapOnRow(OpenMenu(), 1, 3); }, 110, {}},
        {"tap, send", 0, [] { PostTapOnRow(OpenMenu(), 2, 3); }, TRUE, {120}},
        {"tap outside", kReturnAndNotify, [] { PostTap(kOutside); }, 0, {}},
        {"escape, return", kReturnAndNotify, [] { PostKeyPress(VK_ESCAPE); }, 0, {}},
        {"escape, send", 0, [] { PostKeyPress(VK_ESCAPE); }, TRUE, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Track(c.flags, 20, 50, c.script), c.result);
        PumpMessages();
        EXPECT_EQ(Received(WM_COMMAND), c.commands);
        EXPECT_EQ(Received(WM_INITMENUPOPUP), (c.flags & TPM_NONOTIFY)
                                                  ? std::vector<WPARAM>{}
                                                  : std::vector{reinterpret_cast<WPARAM>(menu_)});
        MessageLog::Instance().Clear();
    }
}

TEST_F(PopupMenuTest, ArrowsSkipWhatCannotBeChosenAndEnterChooses) {
    ASSERT_TRUE(AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr));
    ASSERT_TRUE(AppendMenuW(menu_, MF_STRING | MF_GRAYED, 130, u"Grayed"));
    ASSERT_TRUE(AppendMenuW(menu_, MF_STRING, 140, u"Last"));
    const struct {
        std::vector<UINT> keys;
        UINT chosen;
    } cases[] = {
        {{VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, 140},
        // Up from nothing highlighted starts at the bottom and wraps past the top.
        {{VK_UP, VK_UP, VK_UP, VK_UP, VK_UP, VK_RETURN}, 140},
        // Enter with nothing highlighted chooses nothing; the menu stays until Escape.
        {{VK_RETURN, VK_ESCAPE}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys.size());
        EXPECT_EQ(
            Track(kReturnAndNotify, 20, 50, [&] { std::ranges::for_each(c.keys, PostKeyPress); }),
            c.chosen);
    }
}

TEST_F(PopupMenuTest, QuitRequestEndsTheMenuAndStaysPending) {
    EXPECT_EQ(Track(kReturnAndNotify, 20, 50, [] { PostQuitMessage(5); }), 0u);
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 5u);
}

}  // namespace
}  // namespace tessalink::test
