// Image lists: cutting a strip into images, the mask colour's transparency read back from
// drawn pixels, and handles that fail cleanly once their list is gone.
#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "gdi/memory_dc.h"

namespace {

constexpr WORD kStripId = 7;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBackdrop = RGB(10, 20, 30);

HIMAGELIST LoadStrip(COLORREF mask) {
    return ImageList_LoadImage(nullptr, MAKEINTRESOURCEW(kStripId), 4, 1, mask, IMAGE_BITMAP, 0);
}

// A memory DC painted in the backdrop colour, to see which pixels a draw leaves alone.
class Canvas : public MemoryDc {
  public:
    Canvas() : MemoryDc(8, 8) {
        const RECT all{0, 0, 8, 8};
        HBRUSH brush = CreateSolidBrush(kBackdrop);
        FillRect(dc(), &all, brush);
        DeleteObject(brush);
    }
};

TEST(ImageListTest, MaskColourPixelsStayTransparentWhenDrawn) {
    const HIMAGELIST list = LoadStrip(kWhite);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), 3);
    int cx = 0;
    int cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 4);
    EXPECT_EQ(cy, 4);

    for (UINT style : {ILD_NORMAL, ILD_TRANSPARENT}) {
        Canvas canvas;
        ASSERT_TRUE(ImageList_Draw(list, 1, canvas.dc(), 2, 3, style));
        EXPECT_EQ(canvas.Pixel(2 + 3, 3 + 0), kBackdrop) << "white corner shows through";
        EXPECT_EQ(canvas.Pixel(2 + 0, 3 + 3), kBackdrop);
        EXPECT_EQ(canvas.Pixel(2 + 0, 3 + 0), kGreen) << "second image, not the first";
        EXPECT_EQ(canvas.Pixel(2 + 1, 3 + 1), RGB(0, 0, 0)) << "black is not transparent";
        EXPECT_EQ(canvas.Pixel(1, 3), kBackdrop) << "nothing drawn outside the image";
        EXPECT_EQ(canvas.Pixel(6, 3), kBackdrop);
    }
    EXPECT_TRUE(ImageList_Destroy(list));
}

TEST(ImageListTest, DefaultMaskIsTheTopLeftColourAndNoneDrawsOpaque) {
    // The top-left pixel is red, so CLR_DEFAULT makes red transparent and keeps white.
    const HIMAGELIST by_corner = LoadStrip(CLR_DEFAULT);
    Canvas corner;
    ASSERT_TRUE(ImageList_Draw(by_corner, 0, corner.dc(), 0, 0, ILD_TRANSPARENT));
    EXPECT_EQ(corner.Pixel(0, 0), kBackdrop);
    EXPECT_EQ(corner.Pixel(3, 0), kWhite);

    const HIMAGELIST opaque = LoadStrip(CLR_NONE);
    Canvas plain;
    ASSERT_TRUE(ImageList_Draw(opaque, 2, plain.dc(), 0, 0, ILD_TRANSPARENT));
    EXPECT_EQ(plain.Pixel(3, 0), kWhite);
    EXPECT_EQ(plain.Pixel(0, 0), kBlue);
    ImageList_Destroy(by_corner);
    ImageList_Destroy(opaque);
}

TEST(ImageListTest, AddTakesAMaskBitmapAndAppendsAfterEarlierImages) {
    const HIMAGELIST list = ImageList_Create(2, 2, ILC_COLOR | ILC_MASK, 1, 1);
    ASSERT_NE(list, nullptr);
    // Two 2 x 2 images: red, then blue; the mask is white (transparent) at their top-left.
    const DWORD colors[8] = {0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF,
                             0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF};
    const DWORD mask_bits[8] = {0xFFFFFF, 0, 0xFFFFFF, 0, 0, 0, 0, 0};
    HBITMAP image = CreateBitmap(4, 2, 1, 32, colors);
    HBITMAP mask = CreateBitmap(4, 2, 1, 32, mask_bits);
    EXPECT_EQ(ImageList_Add(list, image, mask), 0);
    EXPECT_EQ(ImageList_AddMasked(list, image, CLR_NONE), 2);
    EXPECT_EQ(ImageList_GetImageCount(list), 4);

    Canvas canvas;
    ASSERT_TRUE(ImageList_Draw(list, 1, canvas.dc(), 0, 0, ILD_NORMAL));
    EXPECT_EQ(canvas.Pixel(0, 0), kBackdrop);
    EXPECT_EQ(canvas.Pixel(1, 0), kBlue);
    ASSERT_TRUE(ImageList_Draw(list, 2, canvas.dc(), 4, 4, ILD_NORMAL));
    EXPECT_EQ(canvas.Pixel(4, 4), kRed);

    // A bitmap narrower than one image adds nothing.
    HBITMAP narrow = CreateBitmap(1, 2, 1, 32, colors);
    EXPECT_EQ(ImageList_AddMasked(list, narrow, CLR_NONE), -1);
    EXPECT_EQ(ImageList_GetImageCount(list), 4);
    DeleteObject(narrow);
    DeleteObject(image);
    DeleteObject(mask);
    ImageList_Destroy(list);
}

TEST(ImageListTest, BadHandlesIndexesAndResourcesFailCleanly) {
    const HIMAGELIST list = LoadStrip(kWhite);
    Canvas canvas;
    EXPECT_FALSE(ImageList_Draw(list, 3, canvas.dc(), 0, 0, ILD_NORMAL));
    EXPECT_FALSE(ImageList_Draw(list, -1, canvas.dc(), 0, 0, ILD_NORMAL));
    EXPECT_FALSE(ImageList_Draw(list, 0, canvas.dc(), 0, 0, 0x80));
    ASSERT_TRUE(ImageList_Destroy(list));

    SetLastError(0);
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(ImageList_Draw(list, 0, canvas.dc(), 0, 0, ILD_NORMAL));
    EXPECT_FALSE(ImageList_Destroy(list));
    EXPECT_EQ(ImageList_Add(list, nullptr, nullptr), -1);
    const auto forged = reinterpret_cast<HIMAGELIST>(static_cast<ULONG_PTR>(0x1234));
    EXPECT_FALSE(ImageList_Destroy(forged));
    EXPECT_EQ(canvas.Pixel(0, 0), kBackdrop);

    EXPECT_EQ(ImageList_LoadImage(nullptr, MAKEINTRESOURCEW(99), 4, 1, kWhite, IMAGE_BITMAP, 0),
              nullptr);
    EXPECT_EQ(
        ImageList_LoadImage(nullptr, MAKEINTRESOURCEW(kStripId), 0, 1, kWhite, IMAGE_BITMAP, 0),
        nullptr);
    EXPECT_EQ(ImageList_Create(0, 4, ILC_MASK, 1, 1), nullptr);
}

}  // namespace
