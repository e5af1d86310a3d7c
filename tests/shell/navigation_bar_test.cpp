// The navigation bar: the active window's title, the clock, and the "ok" button of
// dialogs that ask for it.
#include "shell_test.h"

namespace tessalink::test {
namespace {

constexpr POINT kOkButton{228, 13};

using NavigationBarTest = ShellTest;

TEST_F(NavigationBarTest, TitleFollowsActivationAndTitleChanges) {
    HWND first = CreateTopLevel(u"Alpha");
    EXPECT_EQ(Content(NavigationBar())["title"], "Alpha");

    HWND second = CreateTopLevel(u"Beta");
    EXPECT_EQ(Content(NavigationBar())["title"], "Beta");

    SetWindowTextW(second, u"Gamma");
    PumpMessages();
    EXPECT_EQ(Content(NavigationBar())["title"], "Gamma");
    // A window that is not active renames without showing there.
    SetWindowTextW(first, u"Delta");
    PumpMessages();
    EXPECT_EQ(Content(NavigationBar())["title"], "Gamma");

    DestroyWindow(second);
    PumpMessages();
    EXPECT_EQ(Content(NavigationBar())["title"], "Delta");
}

TEST_F(NavigationBarTest, ShowsTheDeviceClockOnBlue) {
    const std::string clock = Content(NavigationBar())["clock"];
    EXPECT_NE(clock.find("9:41"), std::string::npos) << clock;
    // The minute's timer reads the device clock again.
    platform::kernel::DeviceSettings::SetClock(
        platform::kernel::ClockSetting::AtLocalTimeOfDay(std::chrono::minutes(9 * 60 + 42)));
    SendMessageW(NavigationBar(), WM_TIMER, 1, 0);
    const std::string next = Content(NavigationBar())["clock"];
    EXPECT_NE(next.find("9:42"), std::string::npos) << next;

    CreateTopLevel(u"Alpha");
    HDC dc = GetDC(nullptr);
    const COLORREF background = GetPixel(dc, 120, 1);
    ReleaseDC(nullptr, dc);
    EXPECT_LT(GetRValue(background), 64);
    EXPECT_GT(GetBValue(background), 128);
}

TEST_F(NavigationBarTest, OkButtonSendsIdOkToTheDialogThatAskedForIt) {
    HWND plain = CreateTopLevel(u"Plain");
    EXPECT_FALSE(Content(NavigationBar())["okButton"].get<bool>());
    MessageLog::Instance().Clear();
    Tap(kOkButton.x, kOkButton.y);
    EXPECT_TRUE(CommandsFor(plain).empty());

    HWND styled = CreateTopLevel(u"Styled", WS_EX_CAPTIONOKBTN);
    EXPECT_TRUE(Content(NavigationBar())["okButton"].get<bool>());
    MessageLog::Instance().Clear();
    Tap(kOkButton.x, kOkButton.y);
    EXPECT_EQ(CommandsFor(styled), std::vector<WORD>{IDOK});
    DestroyWindow(styled);
    PumpMessages();
    EXPECT_FALSE(Content(NavigationBar())["okButton"].get<bool>());

    SHINITDLGINFO init{SHIDIM_FLAGS, plain, SHIDIF_DONEBUTTON};
    ASSERT_TRUE(SHInitDialog(&init));
    PumpMessages();
    EXPECT_TRUE(Content(NavigationBar())["okButton"].get<bool>());
    MessageLog::Instance().Clear();
    Tap(kOkButton.x, kOkButton.y);
    EXPECT_EQ(CommandsFor(plain), std::vector<WORD>{IDOK});
}

TEST_F(NavigationBarTest, FullScreenDialogsAndDefaultWindowsFillTheWorkArea) {
    RECT workArea{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0));
    const RECT expected{0, 26, 240, 320};
    EXPECT_TRUE(EqualRect(&workArea, &expected));

    HWND frame = CreateTopLevel(u"Frame");
    RECT rect{};
    GetWindowRect(frame, &rect);
    EXPECT_TRUE(EqualRect(&rect, &expected));

    HWND dialog = CreateWindowExW(0, kTestClass, u"Dialog", WS_POPUP | WS_VISIBLE, 10, 40, 100, 80,
                                  frame, nullptr, nullptr, nullptr);
    created_.push_back(dialog);
    SHINITDLGINFO init{SHIDIM_FLAGS, dialog, SHIDIF_SIZEDLGFULLSCREEN};
    ASSERT_TRUE(SHInitDialog(&init));
    GetWindowRect(dialog, &rect);
    EXPECT_TRUE(EqualRect(&rect, &expected));

    // A child page is sized to the same screen area, in its parent's coordinates.
    HWND page = CreateWindowExW(0, kTestClass, u"Page", WS_CHILD | WS_VISIBLE, 5, 5, 50, 50, frame,
                                nullptr, nullptr, nullptr);
    init.hDlg = page;
    ASSERT_TRUE(SHInitDialog(&init));
    GetWindowRect(page, &rect);
    EXPECT_TRUE(EqualRect(&rect, &expected));

    init.dwFlags = 0x40;  // a flag this shell does not offer
    SetLastError(0);
    EXPECT_FALSE(SHInitDialog(&init));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
    init = SHINITDLGINFO{SHIDIM_FLAGS, reinterpret_cast<HWND>(0x1230), 0};
    EXPECT_FALSE(SHInitDialog(&init));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

}  // namespace
}  // namespace tessalink::test
