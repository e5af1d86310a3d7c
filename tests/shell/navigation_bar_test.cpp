// The navigation bar: the active window's title, the clock, and the "ok" button of
// dialogs that ask for it.
#include "shell_test.h"

namespace tessalink::test {
namespace {

constexpr POINT kOkButton{228, 13};

using NavigationBarTest = ShellTest;

TEST_F(NavigationBarTest, TitleFollowsActivationAndTitleChanges) {
    HWND first = CreateTopLevel(u"Alpha");
    EXPECT_EQ(DumpContent(NavigationBar())["title"], "Alpha");

    HWND second = CreateTopLevel(u"Beta");
    EXPECT_EQ(DumpContent(NavigationBar())["title"], "Beta");

    SetWindowTextW(second, u"Gamma");
    PumpMessages();
    EXPECT_EQ(DumpContent(NavigationBar())["title"], "Gamma");
    // A window that is not active renames without showing there.
    SetWindowTextW(first, u"Delta");
    PumpMessages();
    EXPECT_EQ(DumpContent(NavigationBar())["title"], "Gamma");

    DestroyWindow(second);
    PumpMessages();
    EXPECT_EQ(DumpContent(NavigationBar())["title"], "Delta");
}

// How the bar looks is seen in the golden screens.
TEST_F(NavigationBarTest, ShowsTheDeviceClock) {
    const std::string clock = DumpContent(NavigationBar())["clock"];
    EXPECT_NE(clock.find("9:41"), std::string::npos) << clock;
    // The minute's timer reads the device clock again.
    platform::kernel::DeviceSettings::SetClock(
        platform::kernel::ClockSetting::AtLocalTimeOfDay(std::chrono::minutes(9 * 60 + 42)));
    SendMessageW(NavigationBar(), WM_TIMER, 1, 0);
    const std::string next = DumpContent(NavigationBar())["clock"];
    EXPECT_NE(next.find("9:42"), std::string::npos) << next;
}

TEST_F(NavigationBarTest, OkButtonSendsIdOkToTheDialogThatAskedForIt) {
    HWND plain = CreateTopLevel(u"Plain");
    EXPECT_FALSE(DumpContent(NavigationBar())["okButton"].get<bool>());
    MessageLog::Instance().Clear();
    Tap(kOkButton.x, kOkButton.y);
    EXPECT_TRUE(CommandsFor(plain).empty());

    SHINITDLGINFO init{SHIDIM_FLAGS, plain, SHIDIF_DONEBUTTON};
    ASSERT_TRUE(SHInitDialog(&init));
    PumpMessages();
    EXPECT_TRUE(DumpContent(NavigationBar())["okButton"].get<bool>());
    MessageLog::Instance().Clear();
    Tap(kOkButton.x, kOkButton.y);
    EXPECT_EQ(CommandsFor(plain), std::vector<WORD>{IDOK});
    DestroyWindow(plain);
    PumpMessages();
    EXPECT_FALSE(DumpContent(NavigationBar())["okButton"].get<bool>()) << "it went with its dialog";
}

// How dialogs and pages fill the work area is seen in the golden screens.
TEST_F(NavigationBarTest, InitDialogRefusesUnknownFlagsAndWindows) {
    SHINITDLGINFO init{SHIDIM_FLAGS, CreateTopLevel(u"Frame"), 0x40};
    SetLastError(0);
    EXPECT_FALSE(SHInitDialog(&init)) << "a flag this shell does not offer";
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
    init = SHINITDLGINFO{SHIDIM_FLAGS, reinterpret_cast<HWND>(0x1230), 0};
    EXPECT_FALSE(SHInitDialog(&init));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

}  // namespace
}  // namespace tessalink::test
