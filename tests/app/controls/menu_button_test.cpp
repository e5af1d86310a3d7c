// The Action button: its drawing read back from the screen, and what taps on its two
// areas and picks from its menu tell the parent.
#include <nlohmann/json.hpp>

#include <cstdlib>
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

constexpr COLORREF kFace = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kGrey = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kBlack = RGB(0, 0, 0);
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

    // Taps item `index` of the open three-item menu.
    static void PostTapOnItem(HWND menu, int index) { PostTapOnRow(menu, index, 3); }

    std::vector<COLORREF> TextAreaPixels() const {
        std::vector<COLORREF> pixels;
        for (int y = kTextArea.top; y < kTextArea.bottom; ++y) {
            for (int x = kTextArea.left; x < kTextArea.right; ++x) {
                pixels.push_back(Pixel(button_, x, y));
            }
        }
        return pixels;
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

TEST_F(MenuButtonTest, DrawsItsFaceSeparatorArrowAndCurrentChoice) {
    // The separator, white then grey, stops two pixels short of the top and bottom; the
    // grey bottom edge takes the corner. The face fills all the rest, to every edge.
    const struct {
        int x, y;
        COLORREF colour;
    } expected[] = {{2, 2, kFace},    {99, 23, kFace}, {80, 1, kFace},  {80, 2, kWhite},
                    {80, 20, kWhite}, {80, 21, kGrey}, {81, 2, kGrey},  {81, 21, kGrey},
                    {81, 22, kFace},  {82, 10, kFace}, {90, 12, kBlack}};
    for (const auto& [x, y, colour] : expected) {
        EXPECT_EQ(Pixel(button_, x, y), colour) << "at " << x << "," << y;
    }
    // The arrow of a 100-pixel-wide button: its tip at x = 90, the middle of the arrow
    // area, and at the vertical centre; six pixels wide and three high above the tip.
    const RECT arrow = InkBounds(button_, {82, 0, 100, 24}, kBlack);
    EXPECT_EQ(arrow.left, 87);
    EXPECT_EQ(arrow.right, 94);
    EXPECT_EQ(arrow.top, 9);
    EXPECT_EQ(arrow.bottom, 13);

    // The choice's name, black and centred in the text area; grey while disabled.
    const RECT text = InkBounds(button_, kTextArea, kBlack);
    ASSERT_LT(text.left, text.right) << "the current choice's name is drawn";
    EXPECT_LE(std::abs((text.left + text.right) - 80), 2);
    EXPECT_LE(std::abs((text.top + text.bottom) - 24), 3);
    const std::vector<COLORREF> enabled = TextAreaPixels();
    EnableWindow(button_, FALSE);
    Pump();
    EXPECT_GE(InkBounds(button_, kTextArea, kBlack).left, 80) << "no black left";
    EXPECT_EQ(InkBounds(button_, kTextArea, kGrey).left, text.left);
    EnableWindow(button_, TRUE);
    Pump();
    EXPECT_EQ(TextAreaPixels(), enabled);
}

TEST_F(MenuButtonTest, OnlyALiftInsideTheTextAreaRunsTheChoice) {
    Tap(button_, 40, 12);
    EXPECT_EQ(TakeCommands(), (std::vector{Command(button_, MenuButton::kTapped)}));

    // Slid off the text area, onto the arrow or out of the button, before the lift.
    for (const POINT lift : {POINT{85, 12}, POINT{40, 40}, POINT{-5, 12}}) {
        Stylus(StylusAction::Down, button_, 40, 12);
        EXPECT_EQ(GetCapture(), button_);
        Stylus(StylusAction::Move, button_, lift.x, lift.y);
        Stylus(StylusAction::Up, button_, lift.x, lift.y);
        EXPECT_TRUE(TakeCommands().empty()) << "lifted at " << lift.x << "," << lift.y;
        EXPECT_EQ(GetCapture(), nullptr);
    }

    // Disabled, it answers nothing, not even a press and lift sent to it straight.
    EnableWindow(button_, FALSE);
    Pump();
    Tap(button_, 40, 12);
    TapArrowThen([](HWND) { ADD_FAILURE() << "a disabled button opened its menu"; });
    SendMessageW(button_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 12));
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageW(button_, WM_LBUTTONUP, 0, MAKELPARAM(40, 12));
    EXPECT_TRUE(TakeCommands().empty());
}

TEST_F(MenuButtonTest, TheArrowsMenuChangesTheChoiceAndSaysSoOnlyOnAChange) {
    nlohmann::json shown;
    RECT menuRect{};
    TapArrowThen([&](HWND menu) {
        GetWindowRect(menu, &menuRect);
        SendMessageW(menu, platform::user::kDumpContentMessage, 0,
                     reinterpret_cast<LPARAM>(&shown));
        PostTapOnItem(menu, 1);
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
    // Another choice is told once; the lift on the arrow is no tap.
    EXPECT_EQ(TakeCommands(), (std::vector{Command(button_, MenuButton::kChoiceChanged)}));
    EXPECT_EQ(control_.CurrentItemId(), 110);
    const std::vector<COLORREF> traceText = TextAreaPixels();

    // The current choice again tells nothing and keeps it; so does a dismissal, by a
    // tap away from the menu or on the button's own text area. The press closes the
    // menu and the lift comes after, to the button: it must not run the choice.
    TapArrowThen([](HWND menu) { PostTapOnItem(menu, 1); });
    EXPECT_TRUE(TakeCommands().empty()) << "the current item picked again";
    POINT onText{40, 12};
    ClientToScreen(button_, &onText);
    for (const POINT away : {POINT{230, 310}, onText}) {
        TapArrowThen([away](HWND) { PostStylus(StylusAction::Down, away.x, away.y); });
        PostStylus(StylusAction::Up, away.x, away.y);
        Pump();
        EXPECT_TRUE(TakeCommands().empty()) << "dismissed at " << away.x << "," << away.y;
        EXPECT_EQ(GetCapture(), nullptr);
    }
    EXPECT_EQ(control_.CurrentItemId(), 110);
    EXPECT_EQ(TextAreaPixels(), traceText);

    TapArrowThen([](HWND menu) { PostTapOnItem(menu, 2); });
    EXPECT_EQ(TakeCommands(), (std::vector{Command(button_, MenuButton::kChoiceChanged)}));
    EXPECT_EQ(control_.CurrentItemId(), 120);
    EXPECT_NE(TextAreaPixels(), traceText) << "the new name is drawn";
}

TEST_F(MenuButtonTest, ItemsAndAttachingRefuseWhatCannotWork) {
    control_.SelectItem(999);
    EXPECT_EQ(control_.CurrentItemId(), 100) << "an unknown id keeps the choice";
    MenuButton fresh;
    EXPECT_EQ(fresh.CurrentItemId(), std::nullopt);
    // A name must fit its 19 characters, and 0 is the menu's answer for no choice.
    EXPECT_TRUE(fresh.AppendItem(1, u"Nineteen characters"));
    EXPECT_FALSE(fresh.AppendItem(2, u"Twenty characters!!!"));
    EXPECT_FALSE(fresh.AppendItem(0, u"Zero"));
    EXPECT_FALSE(fresh.AppendItem(3, nullptr));

    EXPECT_FALSE(fresh.AttachTo(button_)) << "the button has its control already";
    EXPECT_FALSE(fresh.AttachTo(nullptr));
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
