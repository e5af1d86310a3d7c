// TrackPopupMenuEx driven as a person would: the owner's handler of a message posted
// before the call runs inside the menu's modal loop and scripts the stylus and the keys
// through the input sink.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <thread>
#include <vector>

#include "user/dump_content.h"
#include "user/input/input_sink.h"
#include "user/message_log.h"
#include "user/posted_input.h"

namespace tessalink::test {
namespace {

using platform::user::PostStylus;
using platform::user::StylusAction;

constexpr UINT kRunScript = WM_APP;
constexpr UINT kSentFromThread = WM_APP + 1;
constexpr UINT kReturnAndNotify = TPM_RETURNCMD | TPM_NONOTIFY;

class PopupMenuTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterWindowClass(u"MenuTestOwner", OwnerProcedure);
        owner_ = CreateWindowExW(0, u"MenuTestOwner", u"owner", WS_VISIBLE, 0, 0, 240, 320, nullptr,
                                 nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
        SetFocus(owner_);
        current_ = this;
        menu_ = CreatePopupMenu();
        ASSERT_TRUE(AppendMenuW(menu_, MF_STRING | MF_CHECKED, 100, u"Ping"));
        ASSERT_TRUE(AppendMenuW(menu_, MF_STRING, 110, u"TraceRt"));
        ASSERT_TRUE(AppendMenuW(menu_, MF_STRING, 120, u"Resolve"));
    }

    void TearDown() override {
        DestroyMenu(menu_);
        DestroyWindow(owner_);
        Pump();
        current_ = nullptr;
    }

    // Tracks the menu at (x, y) with `script` running once the menu's loop runs.
    UINT Track(UINT flags, int x, int y, std::function<void()> script) {
        script_ = std::move(script);
        PostMessageW(owner_, kRunScript, 0, 0);
        return static_cast<UINT>(TrackPopupMenuEx(menu_, flags, x, y, owner_, nullptr));
    }

    static HWND OpenMenu() { return FindWindowW(u"#32768", nullptr); }

    // The centre of item `index` of an open menu whose items are all text items.
    static POINT ItemCentre(int index, int count) {
        RECT client{};
        GetClientRect(OpenMenu(), &client);
        const int height = client.bottom / count;
        POINT point{client.right / 2, height * index + height / 2};
        ClientToScreen(OpenMenu(), &point);
        return point;
    }

    static void Pump() {
        MSG msg{};
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
    }

    HWND owner_ = nullptr;
    HMENU menu_ = nullptr;
    std::function<void()> script_;
    std::vector<UINT> commands_;
    std::vector<HMENU> initialised_;
    int timerTicks_ = 0;
    bool sentServiced_ = false;
    std::function<void()> onTimer_;

  private:
    static LRESULT CALLBACK OwnerProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        PopupMenuTest* test = current_;
        if (test != nullptr) {
            switch (message) {
                case kRunScript:
                    if (test->script_) {
                        test->script_();
                    }
                    return 0;
                case kSentFromThread:
                    test->sentServiced_ = true;
                    return 0;
                case WM_COMMAND:
                    test->commands_.push_back(LOWORD(wParam));
                    return 0;
                case WM_INITMENUPOPUP:
                    test->initialised_.push_back(reinterpret_cast<HMENU>(wParam));
                    return 0;
                case WM_TIMER:
                    if (++test->timerTicks_ == 1 && test->onTimer_) {
                        test->onTimer_();
                    }
                    return 0;
                default:
                    break;
            }
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    static inline PopupMenuTest* current_ = nullptr;
};

TEST_F(PopupMenuTest, TapOnAnItemReturnsItsCommand) {
    nlohmann::json shown;
    RECT menuRect{};
    const UINT command = Track(kReturnAndNotify, 20, 50, [&] {
        ASSERT_NE(OpenMenu(), nullptr);
        GetWindowRect(OpenMenu(), &menuRect);
        shown = DumpContent(OpenMenu());
        // The lift of the tap that opened the menu lands outside it and changes nothing.
        PostStylus(StylusAction::Up, 10, 40);
        PostTap(ItemCentre(1, 3));
    });
    EXPECT_EQ(command, 110u);
    EXPECT_EQ(menuRect.left, 20);
    EXPECT_EQ(menuRect.top, 50);
    ASSERT_EQ(shown["items"].size(), 3u);
    EXPECT_EQ(shown["items"][0]["text"], "Ping");
    EXPECT_TRUE(shown["items"][0]["checked"]);
    EXPECT_FALSE(shown["items"][1]["checked"]);
    // Closed, and with TPM_RETURNCMD and TPM_NONOTIFY the owner heard nothing.
    EXPECT_TRUE(OpenMenu() == nullptr || !IsWindowVisible(OpenMenu()));
    Pump();
    EXPECT_TRUE(commands_.empty());
    EXPECT_TRUE(initialised_.empty());
}

TEST_F(PopupMenuTest, WithoutReturnCmdTheOwnerGetsTheCommand) {
    const UINT result = Track(0, 20, 50, [&] { PostTap(ItemCentre(2, 3)); });
    EXPECT_EQ(result, static_cast<UINT>(TRUE));
    EXPECT_EQ(initialised_, std::vector<HMENU>{menu_});
    Pump();
    EXPECT_EQ(commands_, std::vector<UINT>{120});
}

TEST_F(PopupMenuTest, TapOutsideOrEscapeDismissesWithZero) {
    EXPECT_EQ(Track(kReturnAndNotify, 20, 50, [&] { PostTap(POINT{200, 300}); }), 0u);
    EXPECT_EQ(Track(kReturnAndNotify, 20, 50, [&] { PostKeyPress(VK_ESCAPE); }), 0u);
    // Without TPM_RETURNCMD a dismissal sends no command.
    EXPECT_EQ(Track(0, 20, 50, [&] { PostKeyPress(VK_ESCAPE); }), static_cast<UINT>(TRUE));
    Pump();
    EXPECT_TRUE(commands_.empty());
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
        EXPECT_EQ(Track(kReturnAndNotify, 20, 50,
                        [&] {
                            for (const UINT key : c.keys) {
                                PostKeyPress(key);
                            }
                        }),
                  c.chosen);
    }
}

TEST_F(PopupMenuTest, MenuStaysOnTheScreen) {
    RECT menuRect{};
    Track(kReturnAndNotify, 230, 310, [&] {
        GetWindowRect(OpenMenu(), &menuRect);
        PostKeyPress(VK_ESCAPE);
    });
    EXPECT_LE(menuRect.right, 240);
    EXPECT_GE(menuRect.left, 0);
    // No room below the point: the menu opens above it.
    EXPECT_EQ(menuRect.bottom, 310);
    EXPECT_GE(menuRect.top, 0);
}

TEST_F(PopupMenuTest, TimersAndSentMessagesAreServicedWhileOpen) {
    std::thread sender;
    onTimer_ = [&] {
        // A send from another thread must be answered inside the menu's loop; only then
        // does the thread dismiss the menu.
        sender = std::thread([this] {
            SendMessageW(owner_, kSentFromThread, 0, 0);
            PostKeyPress(VK_ESCAPE);
        });
    };
    ASSERT_NE(SetTimer(owner_, 7, 10, nullptr), 0u);
    EXPECT_EQ(Track(kReturnAndNotify, 20, 50, [] {}), 0u);
    KillTimer(owner_, 7);
    if (sender.joinable()) {
        sender.join();
    }
    EXPECT_GE(timerTicks_, 1);
    EXPECT_TRUE(sentServiced_);
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
