// The menu bar from a compiled resource: its buttons, what a tap sends, and how it follows
// its window. (Where it sits is seen in the golden screens.)
#include <vector>

#include "shell/menu_bar_layout.h"
#include "shell_test.h"

namespace tessalink::test {
namespace {

constexpr WORD kExit = 57665;
constexpr WORD kAbout = 57664;

class MenuBarTest : public ShellTest {
  protected:
    static POINT CentreOf(const nlohmann::json& rect) {
        return POINT{(rect["left"].get<LONG>() + rect["right"].get<LONG>()) / 2,
                     (rect["top"].get<LONG>() + rect["bottom"].get<LONG>()) / 2};
    }
};

TEST_F(MenuBarTest, ButtonsComeFromTheLayoutAndTapsSendTheirCommands) {
    HWND frame = CreateTopLevel(u"Frame");
    SHMENUBARINFO info{};
    ASSERT_TRUE(MakeMenuBar(frame, 128, info));
    PumpMessages();
    EXPECT_TRUE(IsWindowVisible(info.hwndMB));
    EXPECT_EQ(GetActiveWindow(), frame) << "the bar takes no activation";

    const auto content = DumpContent(info.hwndMB);
    const auto& buttons = content["buttons"];
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(buttons[0]["text"], "Exit");
    EXPECT_TRUE(buttons[0]["image"].is_null());
    EXPECT_EQ(buttons[1]["image"], 1);
    EXPECT_EQ(buttons[1]["command"], kAbout);
    EXPECT_EQ(buttons[2]["text"], "Off");
    EXPECT_FALSE(buttons[2]["enabled"].get<bool>());

    const POINT exit = CentreOf(buttons[0]["rect"]);
    const POINT about = CentreOf(buttons[1]["rect"]);
    // Image 1 of the strip is green inside a white border; image 0 would be red.
    HDC dc = GetDC(nullptr);
    EXPECT_EQ(GetPixel(dc, about.x, about.y), RGB(0, 160, 0));
    ReleaseDC(nullptr, dc);
    MessageLog::Instance().Clear();
    for (const POINT button : {exit, about, CentreOf(buttons[2]["rect"])}) {
        Tap(button.x, button.y);
    }
    EXPECT_EQ(CommandsFor(frame), (std::vector<WORD>{kExit, kAbout})) << "Off is disabled";

    // A press that slides off its button before lifting sends nothing.
    MessageLog::Instance().Clear();
    platform::user::PostStylus(platform::user::StylusAction::Down, exit.x, exit.y);
    platform::user::PostStylus(platform::user::StylusAction::Up, about.x, about.y);
    PumpMessages();
    EXPECT_TRUE(CommandsFor(frame).empty());
}

TEST_F(MenuBarTest, ShowsOnlyWhileItsWindowIsActiveAndGoesWithIt) {
    HWND frame = CreateTopLevel(u"Frame");
    SHMENUBARINFO info{};
    ASSERT_TRUE(MakeMenuBar(frame, 128, info));
    PumpMessages();
    HWND bar = info.hwndMB;
    EXPECT_TRUE(IsWindowVisible(bar));

    HWND dialog = CreateTopLevel(u"Dialog");
    EXPECT_FALSE(IsWindowVisible(bar));
    DestroyWindow(dialog);
    PumpMessages();
    EXPECT_EQ(GetActiveWindow(), frame);
    EXPECT_TRUE(IsWindowVisible(bar));

    // The frame, activated again, stays below the bar.
    HWND top = GetWindow(GetDesktopWindow(), GW_CHILD);
    bool barAboveFrame = false;
    for (HWND window = top; window && window != frame; window = GetWindow(window, GW_HWNDNEXT)) {
        barAboveFrame = barAboveFrame || window == bar;
    }
    EXPECT_TRUE(barAboveFrame);

    DestroyWindow(frame);
    PumpMessages();
    EXPECT_FALSE(IsWindow(bar));
}

TEST_F(MenuBarTest, RefusesBadRequestsAndBadLayouts) {
    HWND frame = CreateTopLevel(u"Frame");
    SHMENUBARINFO info{};

    const auto failsWith = [&](UINT layout, DWORD error) {
        SetLastError(0);
        EXPECT_FALSE(MakeMenuBar(frame, layout, info)) << "layout " << layout;
        EXPECT_EQ(GetLastError(), error) << "layout " << layout;
    };
    failsWith(129, ERROR_INVALID_DATA);             // fewer buttons than counted
    failsWith(130, ERROR_INVALID_DATA);             // image beyond the strip
    failsWith(131, ERROR_RESOURCE_NAME_NOT_FOUND);  // text string missing
    failsWith(404, ERROR_RESOURCE_NAME_NOT_FOUND);  // no such layout

    info = SHMENUBARINFO{};
    info.cbSize = 8;
    info.hwndParent = frame;
    SetLastError(0);
    EXPECT_FALSE(SHCreateMenuBar(&info));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(SHCreateMenuBar(nullptr));

    // The size programs written for the handheld give, with four-byte handles.
    ASSERT_TRUE(MakeMenuBar(frame, 128, info, 36));
    DestroyWindow(frame);
    SetLastError(0);
    EXPECT_FALSE(MakeMenuBar(frame, 128, info));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST(MenuBarLayoutTest, ReadsButtonsAndRejectsShortOrOversizedData) {
    const std::vector<std::uint8_t> layout{128,  0,    1,    0,  // menu 128, one button
                                           0xFE, 0xFF, 0xC1, 0xE1, 4,    0,    0,
                                           0,    7,    0x80, 0xC1, 0xE1, 0xFF, 0xFF};
    std::string error;
    const auto parsed = platform::shell::ParseMenuBarLayout(layout, error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->menuId, 128);
    ASSERT_EQ(parsed->buttons.size(), 1u);
    EXPECT_FALSE(parsed->buttons[0].image);
    EXPECT_EQ(parsed->buttons[0].command, 57793);
    EXPECT_EQ(parsed->buttons[0].textId, 0x8007u);
    EXPECT_EQ(parsed->buttons[0].subMenu, NOMENU);

    const std::vector<std::uint8_t> truncated(layout.begin(), layout.end() - 2);
    EXPECT_FALSE(platform::shell::ParseMenuBarLayout(truncated, error));
    EXPECT_FALSE(platform::shell::ParseMenuBarLayout(std::vector<std::uint8_t>{128}, error));

    auto wideState = layout;
    wideState[9] = 1;  // a state of 0x104 does not fit TBSTATE_'s byte
    EXPECT_FALSE(platform::shell::ParseMenuBarLayout(wideState, error));
}

}  // namespace
}  // namespace tessalink::test
