// The "Refresh List" link: its colours read back from the screen, the text it follows,
// and the taps it reports.
#include <cstdlib>

#include "controls/LinkLabel.h"
#include "controls/basic/control_test.h"

namespace tessalink::test {
namespace {

using platform::user::StylusAction;

constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kBlue = RGB(0, 0, 0xFF);
constexpr COLORREF kLightGrey = RGB(0xC0, 0xC0, 0xC0);
constexpr RECT kClient{0, 0, 76, 14};
constexpr int kArea = 76 * 14;

class LinkLabelTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        link_ = Child(u"Static", u"Refresh List", SS_LEFT | SS_NOTIFY, {160, 5, 236, 19}, 1001);
        ASSERT_TRUE(control_.AttachTo(link_));
        Repaint();
    }

    void Repaint() const {
        InvalidateRect(link_, nullptr, TRUE);
        Pump();
    }

    // How many pixels of the link have `colour`.
    int Count(COLORREF colour) const {
        int count = 0;
        for (int y = kClient.top; y < kClient.bottom; ++y) {
            for (int x = kClient.left; x < kClient.right; ++x) {
                count += Pixel(link_, x, y) == colour ? 1 : 0;
            }
        }
        return count;
    }

    HWND link_ = nullptr;
    LinkLabel control_;
};

TEST_F(LinkLabelTest, BlueOnWhiteWhileEnabledAndLightGreyOnceDisabled) {
    const int blue = Count(kBlue);
    EXPECT_GT(blue, 40) << "the text is drawn in blue";
    EXPECT_EQ(Count(kWhite) + blue, kArea) << "on white, and nothing else";
    // Centred across, and underlined: one row of ink across most of the text.
    const RECT ink = InkBounds(link_, kClient, kBlue);
    EXPECT_LE(std::abs((ink.left + ink.right) - kClient.right), 2);
    int underline = 0;
    for (LONG x = ink.left; x < ink.right; ++x) {
        underline += Pixel(link_, x, ink.bottom - 1) == kBlue ? 1 : 0;
    }
    EXPECT_GT(underline, (ink.right - ink.left) * 3 / 4);

    EnableWindow(link_, FALSE);
    Repaint();
    EXPECT_EQ(Count(kLightGrey), blue) << "the same text, in light grey";
    // The link shows the static's text as it is at each paint; none leaves it white.
    SetWindowTextW(link_, u"");
    Repaint();
    EXPECT_EQ(Count(kWhite), kArea);
}

TEST_F(LinkLabelTest, EveryLiftNotifiesEvenOffTheLink) {
    Tap(link_, 30, 7);
    EXPECT_EQ(TakeCommands(), (std::vector{Command(link_, LinkLabel::kTapped)}));

    Stylus(StylusAction::Down, link_, 30, 7);
    EXPECT_EQ(GetCapture(), link_);
    EXPECT_TRUE(TakeCommands().empty()) << "nothing until the stylus lifts";
    Stylus(StylusAction::Move, link_, 30, 120);
    Stylus(StylusAction::Up, link_, 30, 120);
    EXPECT_EQ(TakeCommands(), (std::vector{Command(link_, LinkLabel::kTapped)}));
    EXPECT_EQ(GetCapture(), nullptr);

    // The parent may destroy the link while it handles the tap.
    onCommand = [&](const ParentMessage&) { DestroyWindow(link_); };
    Tap(link_, 30, 7);
    EXPECT_FALSE(IsWindow(link_));
    EXPECT_EQ(control_.Handle(), nullptr);
}

}  // namespace
}  // namespace tessalink::test
