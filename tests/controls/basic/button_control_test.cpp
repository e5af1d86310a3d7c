// The button control: what a tap and the Space key send the parent and when, check
// boxes, the default push button's style, and the pressed and checked looks.
#include <nlohmann/json.hpp>

#include "control_test.h"
#include "user/dump_content.h"

namespace tessalink::test {
namespace {

using platform::user::StylusAction;

const COLORREF kFrame = GetSysColor(COLOR_WINDOWFRAME);
const COLORREF kFace = GetSysColor(COLOR_BTNFACE);
const COLORREF kInk = GetSysColor(COLOR_WINDOWTEXT);

class ButtonControlTest : public ControlTest {
  protected:
    static LRESULT Pushed(HWND button) {
        return SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED;
    }
    static LRESULT Check(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0); }
    static LRESULT DialogCode(HWND button) { return SendMessageW(button, WM_GETDLGCODE, 0, 0); }
};

TEST_F(ButtonControlTest, ATapReleasedInsideClicksOnceAfterThePressShows) {
    const HWND button = Child(u"Button", u"Renew DHCP", BS_PUSHBUTTON, {10, 10, 110, 30}, 1023);
    Stylus(StylusAction::Down, button, 50, 10);
    EXPECT_TRUE(TakeCommands().empty()) << "nothing is clicked before the stylus leaves";
    EXPECT_EQ(Pushed(button), BST_PUSHED);
    EXPECT_EQ(GetFocus(), button);
    EXPECT_EQ(Pixel(button, 4, 4), kFrame) << "a pressed button is drawn inverted";
    Stylus(StylusAction::Up, button, 50, 10);
    EXPECT_EQ(TakeCommands(), (std::vector{Command(button, BN_CLICKED)}));
    EXPECT_EQ(Pushed(button), 0);
    EXPECT_EQ(Pixel(button, 4, 4), kFace);

    // Sliding off before the release cancels the click; coming back in presses again.
    Stylus(StylusAction::Down, button, 50, 10);
    Stylus(StylusAction::Move, button, 150, 10);
    EXPECT_EQ(Pushed(button), 0);
    Stylus(StylusAction::Move, button, 60, 10);
    EXPECT_EQ(Pushed(button), BST_PUSHED);
    Stylus(StylusAction::Move, button, 150, 10);
    Stylus(StylusAction::Up, button, 150, 10);
    EXPECT_TRUE(TakeCommands().empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonControlTest, AParentMayDestroyTheButtonItIsToldOf) {
    const HWND button = Child(u"Button", u"Close", BS_PUSHBUTTON, {10, 10, 110, 30}, IDCANCEL);
    onCommand = [&](const ParentMessage&) { DestroyWindow(button); };
    Tap(button, 50, 10);
    EXPECT_FALSE(IsWindow(button));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonControlTest, SpaceClicksTheFocusedButtonOnRelease) {
    const HWND button = Child(u"Button", u"OK", BS_PUSHBUTTON, {10, 10, 110, 30}, IDOK);
    SetFocus(button);
    TakeCommands();
    platform::user::PostKey(VK_SPACE, true);
    Pump();
    EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & (BST_PUSHED | BST_FOCUS),
              BST_PUSHED | BST_FOCUS);
    EXPECT_TRUE(TakeCommands().empty());
    platform::user::PostKey(VK_SPACE, false);
    Pump();
    EXPECT_EQ(TakeCommands(), (std::vector{Command(button, BN_CLICKED)}));
}

TEST_F(ButtonControlTest, AnAutomaticCheckBoxTogglesBeforeItNotifies) {
    const HWND box = Child(u"Button", u"Detail View", BS_AUTOCHECKBOX, {10, 10, 110, 30}, 1003);
    std::vector<LRESULT> checkWhenNotified;
    onCommand = [&](const ParentMessage&) { checkWhenNotified.push_back(Check(box)); };
    Tap(box, 50, 10);
    const RECT mark = InkBounds(box, RECT{2, 5, 11, 14}, kInk);
    EXPECT_GT(mark.right - mark.left, 3) << "the check mark shows inside the square";
    Tap(box, 50, 10);
    EXPECT_EQ(TakeCommands(), (std::vector{Command(box, BN_CLICKED), Command(box, BN_CLICKED)}));
    EXPECT_EQ(checkWhenNotified, (std::vector<LRESULT>{BST_CHECKED, BST_UNCHECKED}));
    SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(DumpContent(box)["checkState"], "checked");
    EXPECT_TRUE(TakeCommands().empty()) << "BM_SETCHECK tells the parent nothing";
}

TEST_F(ButtonControlTest, SetStyleSwitchesTheDefaultPushButton) {
    const HWND button = Child(u"Button", u"Go", BS_PUSHBUTTON, {10, 10, 110, 30}, 8);
    for (const DWORD style : {BS_DEFPUSHBUTTON, BS_PUSHBUTTON}) {
        SendMessageW(button, BM_SETSTYLE, style, TRUE);
        Pump();
        const bool isDefault = style == BS_DEFPUSHBUTTON;
        EXPECT_EQ(GetWindowLongW(button, GWL_STYLE) & (BS_TYPEMASK | WS_CHILD | WS_VISIBLE),
                  style | WS_CHILD | WS_VISIBLE);
        EXPECT_EQ(DialogCode(button),
                  DLGC_BUTTON | (isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON));
        EXPECT_EQ(Pixel(button, 1, 10), isDefault ? kFrame : kFace)
            << "the default's frame is thicker";
    }
    EXPECT_TRUE(TakeCommands().empty());
}

// How a group box frames its caption is seen in the gallery's golden screen.
TEST_F(ButtonControlTest, AGroupBoxNeitherCoversNorAnswersTaps) {
    const HWND group = Child(u"Button", u"Summary", BS_GROUPBOX, {10, 10, 150, 100}, 1005);
    EXPECT_EQ(DialogCode(group), DLGC_STATIC);
    EXPECT_EQ(Pixel(group, 70, 50), kFace) << "the inside is left to what lies beneath";
    Tap(group, 70, 50);
    EXPECT_TRUE(TakeCommands().empty());
    EXPECT_NE(GetFocus(), group);
}

}  // namespace
}  // namespace tessalink::test
