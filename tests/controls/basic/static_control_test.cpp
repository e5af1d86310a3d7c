// The static control: taps, colours from the parent, and images named by a dialog
// template. (How its text is placed is seen in the golden screens, the prefix where GDI
// draws text.)
#include <nlohmann/json.hpp>

#include "control_test.h"
#include "user/dump_content.h"

namespace tessalink::test {
namespace {

using StaticControlTest = ControlTest;

TEST_F(StaticControlTest, OnlyANotifyingStaticReportsATap) {
    const HWND quiet = Child(u"Static", u"quiet", SS_LEFT, {10, 10, 100, 30}, 1001);
    const HWND notifying = Child(u"Static", u"link", SS_LEFT | SS_NOTIFY, {10, 40, 100, 60}, 1002);
    Tap(quiet, 5, 5);
    EXPECT_TRUE(TakeCommands().empty());
    Tap(notifying, 5, 5);
    EXPECT_EQ(TakeCommands(), (std::vector{Command(notifying, STN_CLICKED)}));
}

TEST_F(StaticControlTest, TheParentColoursTheBackground) {
    colorBrush = CreateSolidBrush(RGB(255, 0, 0));
    const HWND label = Child(u"Static", u"x", SS_LEFT, {10, 10, 100, 30}, 7);
    EXPECT_EQ(Pixel(label, 80, 15), RGB(255, 0, 0));
    EXPECT_NE(std::ranges::find(received_, ParentMessage{WM_CTLCOLORSTATIC, 0, 0, label}),
              received_.end());
    DestroyWindow(label);
    DeleteObject(colorBrush);
}

TEST_F(StaticControlTest, ImagesComeFromTheTemplate) {
    const HWND dialog =
        CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(300), parent_, nullptr, 0);
    ASSERT_NE(dialog, nullptr);
    Pump();
    const HWND icon = GetDlgItem(dialog, 10);
    const HWND byOrdinal = GetDlgItem(dialog, 11);
    const HWND byName = GetDlgItem(dialog, 12);
    const HWND empty = GetDlgItem(dialog, 13);
    EXPECT_NE(SendMessageW(icon, STM_GETIMAGE, IMAGE_ICON, 0), 0);
    EXPECT_EQ(DumpContent(icon), (nlohmann::json{{"image", "icon"}, {"hasImage", true}}));
    EXPECT_EQ(GetWindowTextLengthW(icon), 0) << "the raw resource id is not shown as text";
    const COLORREF green = RGB(0, 128, 0);
    EXPECT_EQ(Pixel(byOrdinal, 3, 3), green);
    EXPECT_EQ(Pixel(byName, 3, 3), green);
    EXPECT_NE(Pixel(byOrdinal, 12, 12), green) << "the 8 x 8 bitmap is drawn unscaled";
    EXPECT_EQ(DumpContent(empty)["hasImage"], false);
    DestroyWindow(dialog);
}

}  // namespace
}  // namespace tessalink::test
