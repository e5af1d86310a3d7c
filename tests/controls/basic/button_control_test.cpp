// The button control: what a tap and the Space key send the parent and when, check
// boxes, the default push button's style, and the pressed and checked looks.
#include <nlohmann/json.hpp>

#include "control_test.h"
#include "user/dump_content.h"

namespace tessalink::test {
namespace {

using platform::user::StylusAction;
using ButtonControlTest = ControlTest;

const COLORREF kFrame = GetSysColor(COLOR_WINDOWFRAME);
const COLORREF kFace = GetSysColor(COLOR_BTNFACE);

TEST_F(ButtonControlTest, ATapReleasedInsideClicksOnceAfterThePressShows) {
    const HWND button = Child(u"Button", u"Renew DHCP", BS_PUSHBUTTON, {10, 10, 110, 30}, 1023);
    Stylus(StylusAction::Down, button, 50, 10);
    EXPECT_TRUE(TakeCommands().empty()) << "nothing is clicked before the stylus leaves";
    EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
    EXPECT_EQ(GetFocus(), button);
    EXPECT_EQ(GetCapture(), button);
    EXPECT_EQ(Pixel(button, 4, 4), kFrame) << "a pressed button is drawn inverted";

    Stylus(StylusAction::Up, button, 50, 10);
    EXPECT_EQ(TakeCommands(), (std::vector{Command(button, BN_CLICKED)}));
    EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Pixel(button, 4, 4), kFace);
}

TEST_F(ButtonControlTest, SlidingOffBeforeTheReleaseCancelsTheClick) {
    const HWND button = Child(u"Button", u"Release", BS_PUSHBUTTON, {10, 10, 110, 30}, 1018);
    Stylus(StylusAction::Down, button, 50, 10);
    Stylus(StylusAction::Move, button, 150, 10);
    EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    Stylus(StylusAction::Move, button, 60, 10);
    EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED)
        << "coming back in presses again";
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

TEST_F(ButtonControlTest, SpaceClicksTheFocusedButton) {
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
    onCommand = [&](const ParentMessage&) {
        checkWhenNotified.push_back(SendMessageW(box, BM_GETCHECK, 0, 0));
    };
    const RECT square{0, 3, 13, 16};
    const RECT none = InkBounds(box, {2, 5, 11, 14}, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_GE(none.left, none.right) << "no mark while unchecked";
    Tap(box, 50, 10);
    EXPECT_EQ(TakeCommands(), (std::vector{Command(box, BN_CLICKED)}));
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    const RECT mark = InkBounds(box, {2, 5, 11, 14}, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_GT(mark.right - mark.left, 3) << "the check mark shows inside the square";
    EXPECT_EQ(Pixel(box, square.left, square.top + 1), GetSysColor(COLOR_WINDOWTEXT));
    Tap(box, 50, 10);
    EXPECT_EQ(TakeCommands(), (std::vector{Command(box, BN_CLICKED)}));
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(checkWhenNotified, (std::vector<LRESULT>{BST_CHECKED, BST_UNCHECKED}));

    SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(DumpContent(box)["checkState"], "checked");
    EXPECT_TRUE(TakeCommands().empty()) << "BM_SETCHECK tells the parent nothing";
}

TEST_F(ButtonControlTest, AManualCheckBoxNotifiesButLeavesItsStateToTheProgram) {
    const HWND box = Child(u"Button", u"Manual", BS_CHECKBOX, {10, 10, 110, 30}, 5);
    Tap(box, 50, 10);
    EXPECT_EQ(TakeCommands(), (std::vector{Command(box, BN_CLICKED)}));
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessageW(box, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED) << "two states only";
    const HWND push = Child(u"Button", u"Push", BS_PUSHBUTTON, {10, 40, 110, 60}, 6);
    SendMessageW(push, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageW(push, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "a push button has no check";
}

TEST_F(ButtonControlTest, SetStyleSwitchesTheDefaultPushButton) {
    const HWND button = Child(u"Button", u"Go", BS_PUSHBUTTON, {10, 10, 110, 30}, 8);
    EXPECT_EQ(SendMessageW(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(Pixel(button, 1, 10), kFace);

    SendMessageW(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    Pump();
    EXPECT_EQ(GetWindowLongW(button, GWL_STYLE) & (BS_TYPEMASK | WS_CHILD | WS_VISIBLE),
              BS_DEFPUSHBUTTON | WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(SendMessageW(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(Pixel(button, 1, 10), kFrame) << "the default button's frame is thicker";

    SendMessageW(button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    Pump();
    EXPECT_EQ(SendMessageW(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(Pixel(button, 1, 10), kFace);
    EXPECT_TRUE(TakeCommands().empty());
}

TEST_F(ButtonControlTest, AGroupBoxFramesWithoutCoveringOrAnsweringTaps) {
    const HWND captioned = Child(u"Button", u"Summary", BS_GROUPBOX, {10, 10, 150, 100}, 1005);
    const HWND bare = Child(u"Button", u"", BS_GROUPBOX, {160, 10, 230, 100}, 1006);
    EXPECT_EQ(SendMessageW(captioned, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    const COLORREF line = GetSysColor(COLOR_BTNSHADOW);
    // The frame runs through the middle of the caption's line, broken by the caption.
    RECT frameTop = InkBounds(bare, {0, 0, 70, 20}, line);
    EXPECT_GT(frameTop.top, 2);
    EXPECT_EQ(frameTop.right - frameTop.left, 70);
    EXPECT_EQ(Pixel(captioned, 2, frameTop.top), line);
    EXPECT_NE(Pixel(captioned, 30, frameTop.top), line);
    EXPECT_LT(InkBounds(captioned, {0, 0, 140, 20}, GetSysColor(COLOR_WINDOWTEXT)).left, 30);
    EXPECT_EQ(Pixel(captioned, 70, 50), kFace) << "the inside is left to what lies beneath";

    Tap(captioned, 70, 50);
    EXPECT_TRUE(TakeCommands().empty());
    EXPECT_NE(GetFocus(), captioned);
}

}  // namespace
}  // namespace tessalink::test
