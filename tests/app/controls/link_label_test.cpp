// The "Refresh List" link: its colours read back from the screen, the text it follows,
// and the taps it reports. How it looks enabled is the program's golden pages.
#include "controls/LinkLabel.h"
#include "controls/basic/control_test.h"

namespace tessalink::test {
namespace {

using platform::user::StylusAction;

constexpr COLORREF kLinkPaper = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kLinkBlue = RGB(0, 0, 0xFF);
constexpr COLORREF kLinkDisabledGrey = RGB(0xC0, 0xC0, 0xC0);
constexpr int kLinkWidth = 76;
constexpr int kLinkHeight = 14;

class LinkLabelTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        link_ = Child(u"Static", u"Refresh List", SS_LEFT | SS_NOTIFY, {160, 5, 236, 19}, 1001);
        ASSERT_TRUE(control_.AttachTo(link_));
    }

    // How many pixels of the link have `colour`, once it has painted anew.
    int Count(COLORREF colour) const {
        InvalidateRect(link_, nullptr, TRUE);
        Pump();
        int count = 0;
        for (int y = 0; y < kLinkHeight; ++y) {
            for (int x = 0; x < kLinkWidth; ++x) {
                count += Pixel(link_, x, y) == colour ? 1 : 0;
            }
        }
        return count;
    }

    HWND link_ = nullptr;
    LinkLabel control_;
};

TEST_F(LinkLabelTest, LightGreyOnceDisabledAndAlwaysTheStaticsCurrentText) {
    const int blue = Count(kLinkBlue);
    EXPECT_GT(blue, 40) << "the text is drawn in blue";
    EnableWindow(link_, FALSE);
    EXPECT_EQ(Count(kLinkDisabledGrey), blue) << "the same text, in light grey";
    SetWindowTextW(link_, u"");
    EXPECT_EQ(Count(kLinkPaper), kLinkWidth * kLinkHeight);
}

TEST_F(LinkLabelTest, EveryLiftNotifiesEvenOffTheLink) {
    Stylus(StylusAction::Down, link_, 30, 7);
    EXPECT_EQ(GetCapture(), link_);
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
