// What the program's compiled resources hold that no page shows: the icon, transparent
// at its corner, and the About box's build line, wide enough for the longest stamp.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "controls/control_classes.h"
#include "gdi/memory_dc.h"
#include "resources/resource.h"

namespace tessalink::test {
namespace {

TEST(ProgramResources, TheIconIsTransparentAtItsCorner) {
    constexpr COLORREF kGreen = RGB(0, 255, 0);
    for (const int size : {16, 32}) {
        const auto icon = static_cast<HICON>(LoadImageW(
            GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TESSALINK), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        MemoryDc dest(size, size);
        const RECT all{0, 0, size, size};
        HBRUSH green = CreateSolidBrush(kGreen);
        FillRect(dest.dc(), &all, green);
        DeleteObject(green);
        ASSERT_TRUE(DrawIconEx(dest.dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL));
        EXPECT_EQ(dest.Pixel(size - 1, size - 1), kGreen) << size;
        EXPECT_NE(dest.Pixel(size / 2, size / 2), kGreen) << size;
        DestroyIcon(icon);
    }
}

TEST(ProgramResources, TheAboutBoxsBuildLineHoldsTheLongestStamp) {
    platform::controls::RegisterSystemControlClasses();
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDD_ABOUTBOX), RT_DIALOG);
    ASSERT_NE(found, nullptr);
    const HWND about = CreateDialogIndirectParamW(
        module, static_cast<LPCDLGTEMPLATEW>(LockResource(LoadResource(module, found))), nullptr,
        [](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR { return message == WM_INITDIALOG; }, 0);
    ASSERT_NE(about, nullptr);
    const HWND stamp = GetDlgItem(about, IDC_BUILD_STAMP);
    HDC dc = GetDC(stamp);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(stamp, WM_GETFONT, 0, 0)));
    const std::u16string longest = u"Built on Wed Sep 27 23:59:59 2028";
    SIZE extent{};
    EXPECT_TRUE(
        GetTextExtentPoint32W(dc, longest.c_str(), static_cast<int>(longest.size()), &extent));
    SelectObject(dc, previous);
    ReleaseDC(stamp, dc);
    RECT line{};
    GetClientRect(stamp, &line);
    EXPECT_LE(extent.cx, line.right);
    EXPECT_GT(extent.cx, line.right / 2) << "measured in the box's font, not a smaller one";
    DestroyWindow(about);
}

}  // namespace
}  // namespace tessalink::test
