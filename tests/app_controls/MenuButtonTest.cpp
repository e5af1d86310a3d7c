// The Action button: its drawing read back from the screen, and what taps on its two
// areas and picks from its menu tell the parent.
#include <nlohmann/json.hpp>

#include <array>
#include <cstdlib>
#include <functional>
#include <utility>

#include "controls/MenuButton.h"
#include "controls/basic/control_test.h"
#include "user/window_dump.h"

namespace tessalink::test {
namespace {

using platform::user::StylusAction;

constexpr COLORREF kFace = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kGrey = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kPing = 100;
constexpr int kTrace = 110;
constexpr int kResolve = 120;
// The button's client area is 100 x 24; its arrow area is x 80 to 100.
constexpr RECT kButtonRect{10, 10, 110, 34};
constexpr RECT kTextArea{0, 0, 80, 24};

// A rectangle as its four edges, which GoogleTest can compare and print.
std::array<LONG, 4> Edges(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

class MenuButtonTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        button_ = Child(u"Button", u"Action", BS_PUSHBUTTON, kButtonRect, 1032);
        ASSERT_TRUE(control_.AttachTo(button_));
        ASSERT_TRUE(control_.AppendItem(kPing, u"Ping"));
        ASSERT_TRUE(control_.AppendItem(kTrace, u"TraceRt"));
        ASSERT_TRUE(control_.AppendItem(kResolve, u"Resolve"));
        control_.SelectItem(kPing);
        Pump();
        TakeCommands();
    }

    // Taps the arrow and, once the menu is up, runs `script` with the menu's window;
    // without a menu the script does not run.
    void TapArrowThen(std::function<void(HWND)> script) {
        menuScript_ = std::move(script);
        // A thread timer is served inside the menu's own loop, which is where the
        // script must post its input.
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, RunMenuScript);
        Tap(button_, 90, 12);
        KillTimer(nullptr, timer);
        menuScript_ = nullptr;
    }

    // The centre of item `index` of the open menu, in screen coordinates.
    static POINT ItemCentre(HWND menu, int index) {
        RECT client{};
        GetClientRect(menu, &client);
        const int height = client.bottom / 3;
        POINT point{client.right / 2, height * index + height / 2};
        ClientToScreen(menu, &point);
        return point;
    }

    static void PostTap(POINT at) {
        platform::user::PostStylus(StylusAction::Down, at.x, at.y);
        platform::user::PostStylus(StylusAction::Up, at.x, at.y);
    }

    // Every pixel of the text area, row by row.
    std::vector<COLORREF> TextAreaPixels() const {
        std::vector<COLORREF> pixels;
        for (int y = kTextArea.top; y < kTextArea.bottom; ++y) {
            for (int x = kTextArea.left; x < kTextArea.right; ++x) {
                pixels.push_back(Pixel(button_, x, y));
            }
        }
        return pixels;
    }

    // Picks item `index` from the arrow's menu.
    void Pick(int index) {
        TapArrowThen([index](HWND menu) { PostTap(ItemCentre(menu, index)); });
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
    EXPECT_EQ(Pixel(button_, 2, 2), kFace);
    EXPECT_EQ(Pixel(button_, 99, 23), kFace) << "the face reaches every edge";

    // The separator: white down the arrow area's left column, grey down the next, two
    // pixels short of the top and bottom; the grey bottom edge takes the corner.
    EXPECT_EQ(Pixel(button_, 80, 1), kFace);
    EXPECT_EQ(Pixel(button_, 80, 2), kWhite);
    EXPECT_EQ(Pixel(button_, 80, 20), kWhite);
    EXPECT_EQ(Pixel(button_, 80, 21), kGrey);
    EXPECT_EQ(Pixel(button_, 81, 2), kGrey);
    EXPECT_EQ(Pixel(button_, 81, 21), kGrey);
    EXPECT_EQ(Pixel(button_, 81, 22), kFace);
    EXPECT_EQ(Pixel(button_, 82, 10), kFace);

    // The arrow of a 100-pixel-wide button: its tip at x = 90, the middle of 80 to 100,
    // and at the vertical centre; three pixels high, six wide.
    EXPECT_EQ(Pixel(button_, 90, 12), kBlack);
    const RECT arrow = InkBounds(button_, {82, 0, 100, 24}, kBlack);
    EXPECT_EQ(arrow.left, 87);
    EXPECT_EQ(arrow.right, 94);
    EXPECT_EQ(arrow.top, 9);
    EXPECT_EQ(arrow.bottom, 13);

    // The choice's name, black and centred in the text area.
    const RECT text = InkBounds(button_, kTextArea, kBlack);
    ASSERT_LT(text.left, text.right) << "the current choice's name is drawn";
    EXPECT_LE(std::abs((text.left + text.right) - 80), 2);
    EXPECT_LE(std::abs((text.top + text.bottom) - 24), 3);
    EXPECT_GE(InkBounds(button_, kTextArea, kGrey).left, 80) << "no grey text while enabled";

    // Disabling repaints the name in grey, enabling back in black.
    EnableWindow(button_, FALSE);
    Pump();
    EXPECT_GE(InkBounds(button_, kTextArea, kBlack).left, 80);
    EXPECT_EQ(Edges(InkBounds(button_, kTextArea, kGrey)), Edges(text));
    EnableWindow(button_, TRUE);
    Pump();
    EXPECT_EQ(Edges(InkBounds(button_, kTextArea, kBlack)), Edges(text));
}

TEST_F(MenuButtonTest, OnlyALiftInsideTheTextAreaRunsTheChoice) {
    Tap(button_, 40, 12);
    EXPECT_EQ(TakeCommands(), (std::vector{Command(button_, MenuButton::kTapped)}));
    EXPECT_EQ(GetCapture(), nullptr);

    // Slid off the text area, onto the arrow or out of the button, before the lift.
    for (const POINT lift : {POINT{85, 12}, POINT{40, 40}, POINT{-5, 12}}) {
        Stylus(StylusAction::Down, button_, 40, 12);
        EXPECT_EQ(GetCapture(), button_);
        Stylus(StylusAction::Move, button_, lift.x, lift.y);
        Stylus(StylusAction::Up, button_, lift.x, lift.y);
        EXPECT_TRUE(TakeCommands().empty()) << "lifted at " << lift.x << "," << lift.y;
        EXPECT_EQ(GetCapture(), nullptr);
    }

    // Disabled, the button answers no tap at all.
    EnableWindow(button_, FALSE);
    Pump();
    Tap(button_, 40, 12);
    TapArrowThen([](HWND) { ADD_FAILURE() << "a disabled button opened its menu"; });
    // Not even a press and a lift sent to it straight.
    SendMessageW(button_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 12));
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageW(button_, WM_LBUTTONUP, 0, MAKELPARAM(40, 12));
    EXPECT_TRUE(TakeCommands().empty());
    EXPECT_EQ(control_.CurrentItemId(), kPing);
}

TEST_F(MenuButtonTest, TheArrowsMenuChangesTheChoiceAndSaysSoOnlyOnAChange) {
    nlohmann::json shown;
    RECT menuRect{};
    TapArrowThen([&](HWND menu) {
        GetWindowRect(menu, &menuRect);
        SendMessageW(menu, platform::user::kDumpContentMessage, 0,
                     reinterpret_cast<LPARAM>(&shown));
        PostTap(ItemCentre(menu, 1));
    });
    // The menu opened below the button, at its left edge, listing every choice in
    // order with the current one checked.
    POINT below{0, 24};
    ClientToScreen(button_, &below);
    EXPECT_EQ(menuRect.left, below.x);
    EXPECT_EQ(menuRect.top, below.y);
    ASSERT_EQ(shown["items"].size(), 3u);
    EXPECT_EQ(shown["items"][1]["text"], "TraceRt");
    EXPECT_TRUE(shown["items"][0]["checked"]);
    EXPECT_FALSE(shown["items"][1]["checked"]);
    // Picking another choice says so once; the lift on the arrow is no tap.
    EXPECT_EQ(TakeCommands(), (std::vector{Command(button_, MenuButton::kChoiceChanged)}));
    EXPECT_EQ(control_.CurrentItemId(), kTrace);
    const std::vector<COLORREF> traceText = TextAreaPixels();

    // Picking the current choice again, or dismissing the menu, says nothing and keeps
    // the choice.
    Pick(1);
    EXPECT_TRUE(TakeCommands().empty());
    TapArrowThen([](HWND) { PostTap(POINT{200, 300}); });
    EXPECT_TRUE(TakeCommands().empty());
    EXPECT_EQ(control_.CurrentItemId(), kTrace);
    EXPECT_EQ(TextAreaPixels(), traceText);

    Pick(2);
    EXPECT_EQ(TakeCommands(), (std::vector{Command(button_, MenuButton::kChoiceChanged)}));
    EXPECT_EQ(control_.CurrentItemId(), kResolve);
    EXPECT_NE(TextAreaPixels(), traceText) << "the new name is drawn";
}

TEST_F(MenuButtonTest, SelectingByIdTellsNobodyAndIgnoresUnknownIds) {
    control_.SelectItem(kResolve);
    control_.SelectItem(999);
    Pump();
    EXPECT_EQ(control_.CurrentItemId(), kResolve);
    EXPECT_TRUE(TakeCommands().empty());

    MenuButton fresh;
    EXPECT_EQ(fresh.CurrentItemId(), std::nullopt);
    // A name must fit its 19 characters, and 0 is the menu's answer for no choice.
    EXPECT_TRUE(fresh.AppendItem(1, u"Nineteen characters"));
    EXPECT_FALSE(fresh.AppendItem(2, u"Twenty characters!!!"));
    EXPECT_FALSE(fresh.AppendItem(0, u"Zero"));
    EXPECT_FALSE(fresh.AppendItem(3, nullptr));
    fresh.SelectItem(2);
    EXPECT_EQ(fresh.CurrentItemId(), std::nullopt);
}

TEST_F(MenuButtonTest, AttachingFailsCleanlyAndAGoneControlLeavesAPlainButton) {
    MenuButton second;
    EXPECT_FALSE(second.AttachTo(button_)) << "the button has its control already";
    EXPECT_FALSE(second.AttachTo(nullptr));
    EXPECT_FALSE(control_.AttachTo(Child(u"Button", u"Other", BS_PUSHBUTTON, {10, 40, 110, 60}, 5)))
        << "one control, one window";

    const HWND plain = Child(u"Button", u"Plain", BS_PUSHBUTTON, {10, 70, 110, 94}, 6);
    {
        MenuButton shortLived;
        ASSERT_TRUE(shortLived.AttachTo(plain));
    }
    Tap(plain, 40, 12);
    EXPECT_EQ(TakeCommands(), (std::vector{Command(plain, BN_CLICKED)}));
    MenuButton again;
    EXPECT_TRUE(again.AttachTo(plain)) << "the window is free again";
}

}  // namespace
}  // namespace tessalink::test
