// Bitmaps and icons read from the test executable's own resources, then blitted and drawn.
#include "gdi/memory_dc.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

constexpr int kFourBitId = 101;
constexpr int kEightBitId = 102;
constexpr int kIconId = 201;

// Selects `bitmap` into a memory context and copies it to (dx, dy) of `dest`.
void BlitBitmap(HBITMAP bitmap, const MemoryDc& dest, int dx, int dy) {
    BITMAP info{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof(info), &info), static_cast<int>(sizeof(info)));
    HDC source = CreateCompatibleDC(dest.dc());
    HGDIOBJ old = SelectObject(source, bitmap);
    ASSERT_NE(old, nullptr);
    EXPECT_TRUE(BitBlt(dest.dc(), dx, dy, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY));
    SelectObject(source, old);
    DeleteDC(source);
}

// (A 4-bit image's pixels are seen in the golden screens: the gallery's globe.)
TEST(GdiImages, BitmapsKeepTheirDepthAndAnEightBitOneLoadsItsPaletteTopDown) {
    HBITMAP four = LoadBitmapW(nullptr, MAKEINTRESOURCEW(kFourBitId));
    ASSERT_NE(four, nullptr) << GetLastError();
    BITMAP info{};
    GetObjectW(four, sizeof(info), &info);
    EXPECT_EQ(info.bmBitsPixel, 4);
    DeleteObject(four);

    MemoryDc dest(40, 40);
    HBITMAP eight = static_cast<HBITMAP>(
        LoadImageW(nullptr, MAKEINTRESOURCEW(kEightBitId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    ASSERT_NE(eight, nullptr);
    BlitBitmap(eight, dest, 10, 10);
    for (int i : {0, 1, 17, 128, 255}) {
        const int x = i % 16;
        const int y = i / 16;
        EXPECT_EQ(dest.Pixel(10 + x, 10 + y), RGB(i, 255 - i, (i * 2) & 255)) << i;
    }
    DeleteObject(eight);
}

TEST(GdiImages, IconMaskKeepsTheBackgroundAroundTheImage) {
    HICON icon =
        static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(icon, nullptr) << GetLastError();
    MemoryDc dest(20, 20);
    const RECT all{0, 0, 20, 20};
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(dest.dc(), &all, green);
    DeleteObject(green);
    ASSERT_TRUE(DrawIcon(dest.dc(), 2, 2, icon));
    EXPECT_EQ(dest.Pixel(2 + 8, 2 + 8), RGB(255, 0, 0)) << "inside the square";
    EXPECT_EQ(dest.Pixel(2 + 4, 2 + 4), RGB(255, 0, 0));
    EXPECT_EQ(dest.Pixel(2 + 3, 2 + 3), RGB(0, 255, 0)) << "the mask keeps the background";
    EXPECT_EQ(dest.Pixel(2 + 12, 2 + 8), RGB(0, 255, 0));
    EXPECT_FALSE(DeleteObject(icon)) << "icons go with DestroyIcon";
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIcon(dest.dc(), 0, 0, icon));
}

TEST(GdiImages, MissingResourcesFailWithTheKernelsError) {
    SetLastError(0);
    EXPECT_EQ(LoadBitmapW(nullptr, MAKEINTRESOURCEW(999)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(LoadImageW(nullptr, MAKEINTRESOURCEW(kIconId), IMAGE_BITMAP, 0, 0, 0), nullptr);
    EXPECT_EQ(LoadImageW(nullptr, MAKEINTRESOURCEW(kFourBitId), 7, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
