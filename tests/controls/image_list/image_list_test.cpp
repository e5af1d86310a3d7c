// Image lists as the program makes them, from a strip in its resources with a mask colour:
// handles, indexes and styles that fail cleanly. (The images cut from a strip, and the
// mask's transparency, are seen in the golden screens.)
#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "gdi/memory_dc.h"

namespace {

constexpr WORD kStripId = 7;
// The strip's corners are white: the mask colour that shows what lies beneath.
constexpr COLORREF kMaskWhite = RGB(255, 255, 255);
constexpr COLORREF kBackdrop = RGB(10, 20, 30);

HIMAGELIST LoadStrip() {
    return ImageList_LoadImage(nullptr, MAKEINTRESOURCEW(kStripId), 4, 1, kMaskWhite, IMAGE_BITMAP,
                               0);
}

// A memory DC painted in the backdrop colour, to see which pixels a draw leaves alone.
class BackdropDc : public MemoryDc {
  public:
    BackdropDc() : MemoryDc(8, 8) {
        const RECT all{0, 0, 8, 8};
        HBRUSH brush = CreateSolidBrush(kBackdrop);
        FillRect(dc(), &all, brush);
        DeleteObject(brush);
    }
};

TEST(ImageListTest, BadHandlesIndexesAndResourcesFailCleanly) {
    const HIMAGELIST list = LoadStrip();
    BackdropDc canvas;
    for (const auto& [index, style] : {std::pair{3, ILD_NORMAL}, {-1, ILD_NORMAL}, {0, 0x80}}) {
        EXPECT_FALSE(ImageList_Draw(list, index, canvas.dc(), 0, 0, style)) << index;
    }
    ASSERT_TRUE(ImageList_Destroy(list));

    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    EXPECT_FALSE(ImageList_Draw(list, 0, canvas.dc(), 0, 0, ILD_NORMAL));
    EXPECT_FALSE(ImageList_Destroy(list));
    const auto forged = reinterpret_cast<HIMAGELIST>(static_cast<ULONG_PTR>(0x1234));
    EXPECT_FALSE(ImageList_Destroy(forged));
    EXPECT_EQ(canvas.Pixel(0, 0), kBackdrop);

    EXPECT_EQ(ImageList_LoadImage(nullptr, MAKEINTRESOURCEW(99), 4, 1, kMaskWhite, IMAGE_BITMAP, 0),
              nullptr);
}

}  // namespace
