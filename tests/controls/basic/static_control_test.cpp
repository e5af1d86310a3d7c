// The static control: taps, alignment and prefixes as painted, colours from the parent,
// and images named by a dialog template.
#include <nlohmann/json.hpp>

#include "control_test.h"
#include "user/dump_content.h"

namespace tessalink::test {
namespace {

using StaticControlTest = ControlTest;

const COLORREF kInk = GetSysColor(COLOR_WINDOWTEXT);

TEST_F(StaticControlTest, OnlyANotifyingStaticReportsATap) {
    const HWND quiet = Child(u"Static", u"quiet", SS_LEFT, {10, 10, 100, 30}, 1001);
    const HWND notifying = Child(u"Static", u"link", SS_LEFT | SS_NOTIFY, {10, 40, 100, 60}, 1002);
    Tap(quiet, 5, 5);
    EXPECT_TRUE(TakeCommands().empty());
    Tap(notifying, 5, 5);
    EXPECT_EQ(TakeCommands(), (std::vector{Command(notifying, STN_CLICKED)}));
}

TEST_F(StaticControlTest, TextIsPlacedAsItsAlignmentSays) {
    const RECT area{0, 0, 200, 16};
    const HWND left = Child(u"Static", u"Version", SS_LEFT, {20, 10, 220, 26}, 1);
    const HWND centred = Child(u"Static", u"Version", SS_CENTER, {20, 30, 220, 46}, 2);
    const HWND right = Child(u"Static", u"Version", SS_RIGHT, {20, 50, 220, 66}, 3);
    const RECT leftInk = InkBounds(left, area, kInk);
    const RECT centredInk = InkBounds(centred, area, kInk);
    const RECT rightInk = InkBounds(right, area, kInk);
    ASSERT_LT(leftInk.left, leftInk.right) << "no text drawn";
    EXPECT_LE(leftInk.left, 2);
    EXPECT_GE(rightInk.right, 197);
    // The same text everywhere, only moved.
    EXPECT_EQ(centredInk.right - centredInk.left, leftInk.right - leftInk.left);
    EXPECT_EQ(rightInk.right - rightInk.left, leftInk.right - leftInk.left);
    const LONG leftMargin = centredInk.left;
    const LONG rightMargin = 200 - centredInk.right;
    EXPECT_LE(std::abs(leftMargin - rightMargin), 2) << leftMargin << " vs " << rightMargin;
}

TEST_F(StaticControlTest, AnAmpersandShowsOnlyWithoutPrefixes) {
    const RECT area{0, 0, 200, 16};
    const HWND prefixed = Child(u"Static", u"&Tab", SS_LEFT, {10, 10, 210, 26}, 1);
    const HWND literal = Child(u"Static", u"&Tab", SS_LEFT | SS_NOPREFIX, {10, 30, 210, 46}, 2);
    const HWND plain = Child(u"Static", u"Tab", SS_LEFT, {10, 50, 210, 66}, 3);
    const RECT prefixedInk = InkBounds(prefixed, area, kInk);
    const RECT literalInk = InkBounds(literal, area, kInk);
    const RECT plainInk = InkBounds(plain, area, kInk);
    // The ampersand is drawn only with SS_NOPREFIX; otherwise it marks the mnemonic.
    EXPECT_EQ(prefixedInk.right - prefixedInk.left, plainInk.right - plainInk.left);
    EXPECT_GT(literalInk.right - literalInk.left, plainInk.right - plainInk.left);
}

TEST_F(StaticControlTest, TheParentColoursTheBackground) {
    colorBrush = CreateSolidBrush(RGB(255, 0, 0));
    const HWND label = Child(u"Static", u"x", SS_LEFT, {10, 10, 100, 30}, 7);
    EXPECT_EQ(Pixel(label, 80, 15), RGB(255, 0, 0));
    bool asked = false;
    for (const ParentMessage& entry : received_) {
        asked = asked || (entry.message == WM_CTLCOLORSTATIC && entry.control == label);
    }
    EXPECT_TRUE(asked);
    DestroyWindow(label);
    DeleteObject(colorBrush);
}

TEST_F(StaticControlTest, ImagesComeFromTheTemplateAndCanBeReplaced) {
    const HWND dialog =
        CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(300), parent_, nullptr, 0);
    ASSERT_NE(dialog, nullptr);
    Pump();
    const HWND icon = GetDlgItem(dialog, 10);
    const HWND byOrdinal = GetDlgItem(dialog, 11);
    const HWND byName = GetDlgItem(dialog, 12);
    const HWND empty = GetDlgItem(dialog, 13);
    EXPECT_NE(SendMessageW(icon, STM_GETIMAGE, IMAGE_ICON, 0), 0);
    EXPECT_EQ(SendMessageW(icon, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    EXPECT_EQ(DumpContent(icon), (nlohmann::json{{"image", "icon"}, {"hasImage", true}}));
    EXPECT_EQ(GetWindowTextLengthW(icon), 0) << "the raw resource id is not shown as text";
    const COLORREF green = RGB(0, 128, 0);
    EXPECT_EQ(Pixel(byOrdinal, 3, 3), green);
    EXPECT_EQ(Pixel(byName, 3, 3), green);
    EXPECT_NE(Pixel(byOrdinal, 12, 12), green) << "the 8 x 8 bitmap is drawn unscaled";
    EXPECT_EQ(DumpContent(empty)["hasImage"], false);

    // The image handed over replaces the loaded one, which goes back to the caller.
    const HANDLE loaded =
        reinterpret_cast<HANDLE>(SendMessageW(byName, STM_GETIMAGE, IMAGE_BITMAP, 0));
    const HBITMAP other = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(101));
    EXPECT_EQ(reinterpret_cast<HANDLE>(
                  SendMessageW(empty, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(other))),
              nullptr);
    Pump();
    EXPECT_EQ(Pixel(empty, 3, 3), green);
    EXPECT_EQ(SendMessageW(empty, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(other)), 0)
        << "a bitmap static takes no icon";
    EXPECT_EQ(reinterpret_cast<HANDLE>(SendMessageW(byName, STM_SETIMAGE, IMAGE_BITMAP, 0)),
              loaded);
    DestroyWindow(dialog);
    DeleteObject(loaded);
    DeleteObject(other);
}

}  // namespace
}  // namespace tessalink::test
