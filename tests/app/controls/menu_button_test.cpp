// The Action button: what taps on its two areas and picks from its menu tell the parent,
// and the choice's name as the screen shows it. How the button looks enabled, its
// separator and arrow included, is the program's golden Ping screen.
#include <nlohmann/json.hpp>

#include <functional>
#include <utility>

#include "controls/MenuButton.h"
#include "controls/basic/control_test.h"
#include "user/posted_input.h"
#include "user/window_dump.h"

namespace tessalink::test {
namespace {

using platform::user::PostStylus;
using platform::user::StylusAction;

constexpr COLORREF kChoiceBlack = RGB(0, 0, 0);
constexpr COLORREF kChoiceGrey = RGB(0x80, 0x80, 0x80);
// A client area of 100 x 24: the arrow area is x 80 to 100.
constexpr RECT kTextArea{0, 0, 80, 24};

class MenuButtonTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        button_ = Child(u"Button", u"Action", BS_PUSHBUTTON, {10, 10, 110, 34}, 1032);
        ASSERT_TRUE(control_.AttachTo(button_));
        ASSERT_TRUE(control_.AppendItem(100, u"Ping"));
        ASSERT_TRUE(control_.AppendItem(110, u"TraceRt"));
        ASSERT_TRUE(control_.AppendItem(120, u"Resolve"));
        control_.SelectItem(100);
        Pump();
        TakeCommands();
    }

    // Taps the arrow and, once the menu is up, runs `script` with the menu's window. A
    // thread timer is served inside the menu's own loop, where the script must post.
    void TapArrowThen(std::function<void(HWND)> script) {
        menuScript_ = std::move(script);
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, RunMenuScript);
        Tap(button_, 90, 12);
        KillTimer(nullptr, timer);
        menuScript_ = nullptr;
    }

    // Where the choice's name is drawn in `ink`, across: empty when it is not.
    std::pair<LONG, LONG> NameSpan(COLORREF ink = kChoiceBlack) const {
        const RECT bounds = InkBounds(button_, kTextArea, ink);
        return {bounds.left, bounds.right};
    }

    HWND button_ = nullptr;
    MenuButton control_;

  private:
    static void CALLBACK RunMenuScript(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        const HWND menu = FindWindowW(u"#32768", nullptr);
        if (menu && IsWindowVisible(menu) && menuScript_) {
            std::exchange(menuScript_, nullptr)(menu);
        }
    }

    static inline std::function<void(HWND)> menuScript_;
};

TEST_F(MenuButtonTest, OnlyALiftInsideTheTextAreaRunsTheChoiceAndNothingWhileDisabled) {
    // Slid off the text area, onto the arrow or out of the button, before the lift.
    for (const POINT lift : {POINT{80, 12}, POINT{40, 40}, POINT{-5, 12}}) {
        Stylus(StylusAction::Down, button_, 40, 12);
        EXPECT_EQ(GetCapture(), button_);
        Stylus(StylusAction::Move, button_, lift.x, lift.y);
        Stylus(StylusAction::Up, button_, lift.x, lift.y);
        EXPECT_TRUE(TakeCommands().empty()) << "lifted at " << lift.x << "," << lift.y;
        EXPECT_EQ(GetCapture(), nullptr);
    }

    // Disabled, the name turns grey and the button answers nothing, not even a press and
    // lift sent to it straight; enabled again, the name is black again.
    const auto name = NameSpan();
    ASSERT_LT(name.first, name.second) << "the current choice's name is drawn";
    EnableWindow(button_, FALSE);
    Pump();
    EXPECT_EQ(NameSpan(kChoiceGrey), name);
    EXPECT_GE(NameSpan().first, kTextArea.right) << "no black left";
    Tap(button_, 40, 12);
    TapArrowThen([](HWND) { ADD_FAILURE() << "a disabled button opened its menu"; });
    SendMessageW(button_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 12));
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageW(button_, WM_LBUTTONUP, 0, MAKELPARAM(40, 12));
    EXPECT_TRUE(TakeCommands().empty());
    EnableWindow(button_, TRUE);
    Pump();
    EXPECT_EQ(NameSpan(), name);
}

TEST_F(MenuButtonTest, TheArrowsMenuChangesTheChoiceAndSaysSoOnlyOnAChange) {
    const auto pingName = NameSpan();
    nlohmann::json shown;
    RECT menuRect{};
    TapArrowThen([&](HWND menu) {
        GetWindowRect(menu, &menuRect);
        SendMessageW(menu, platform::user::kDumpContentMessage, 0,
                     reinterpret_cast<LPARAM>(&shown));
        PostTapOnRow(menu, 1, 3);
    });
    // Below the button at its left edge, every choice in order, the current one checked.
    POINT below{0, 24};
    ClientToScreen(button_, &below);
    EXPECT_EQ(menuRect.left, below.x);
    EXPECT_EQ(menuRect.top, below.y);
    ASSERT_EQ(shown["items"].size(), 3u);
    EXPECT_EQ(shown["items"][1]["text"], "TraceRt");
    EXPECT_TRUE(shown["items"][0]["checked"]);
    EXPECT_FALSE(shown["items"][1]["checked"]);
    // Another choice is told once and drawn; the lift on the arrow is no tap.
    EXPECT_EQ(TakeCommands(), (std::vector{Command(button_, MenuButton::kChoiceChanged)}));
    EXPECT_EQ(control_.CurrentItemId(), 110);
    const auto traceName = NameSpan();
    EXPECT_NE(traceName, pingName) << "the new name is drawn";

    // The current choice again tells nothing and keeps it; so does a dismissal, by a
    // tap away from the menu or on the button's own text area. The press closes the
    // menu and the lift comes after, to the button: it must not run the choice.
    TapArrowThen([](HWND menu) { PostTapOnRow(menu, 1, 3); });
    EXPECT_TRUE(TakeCommands().empty()) << "the current item picked again";
    POINT onText{40, 12};
    ClientToScreen(button_, &onText);
    for (const POINT away : {POINT{230, 310}, onText}) {
        TapArrowThen([away](HWND) { PostStylus(StylusAction::Down, away.x, away.y); });
        PostStylus(StylusAction::Up, away.x, away.y);
        Pump();
        EXPECT_TRUE(TakeCommands().empty()) << "dismissed at " << away.x << "," << away.y;
    }
    EXPECT_EQ(control_.CurrentItemId(), 110);
}

TEST_F(MenuButtonTest, ItemsAndAttachingRefuseWhatCannotWork) {
    control_.SelectItem(999);
    EXPECT_EQ(control_.CurrentItemId(), 100) << "an unknown id keeps the choice";
    // A name must fit its 19 characters, and 0 is the menu's answer for no choice.
    MenuButton fresh;
    EXPECT_TRUE(fresh.AppendItem(1, u"Nineteen characters"));
    EXPECT_FALSE(fresh.AppendItem(2, u"Twenty characters!!!"));
    EXPECT_FALSE(fresh.AppendItem(0, u"Zero"));

    EXPECT_FALSE(fresh.AttachTo(button_)) << "the button has its control already";
    const HWND plain = Child(u"Button", u"Plain", BS_PUSHBUTTON, {10, 70, 110, 94}, 6);
    EXPECT_FALSE(control_.AttachTo(plain)) << "one control, one window";
    {
        MenuButton shortLived;
        ASSERT_TRUE(shortLived.AttachTo(plain));
    }
    // Its control gone, the window is a plain button again, free to be taken over.
    Tap(plain, 40, 12);
    EXPECT_EQ(TakeCommands(), (std::vector{Command(plain, BN_CLICKED)}));
    EXPECT_TRUE(fresh.AttachTo(plain));
}

}  // namespace
}  // namespace tessalink::test
