// Fills, copies and clipping, checked pixel by pixel on memory bitmaps and the screen. (Lines
// are seen in the golden screens.)
#include "display/framebuffer.h"
#include "gdi/memory_dc.h"
#include "gdi/screen_dc.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);

TEST(GdiDrawing, OpaqueExtTextOutWithoutTextFillsExactlyTheRectangle) {
    MemoryDc memory(20, 20);
    SetBkColor(memory.dc(), kGrey);
    const RECT side{3, 4, 5, 12};
    ASSERT_TRUE(ExtTextOutW(memory.dc(), 0, 0, ETO_OPAQUE, &side, nullptr, 0, nullptr));
    const auto ink = memory.Ink(RECT{0, 0, 20, 20}, MemoryDc::kPaper);
    EXPECT_EQ(ink.size(), 2u * 8u);
    for (const auto& [x, y] : ink) {
        EXPECT_EQ(memory.Pixel(x, y), kGrey);
        EXPECT_TRUE(x >= 3 && x < 5 && y >= 4 && y < 12) << x << "," << y;
    }
    // ETO_OPAQUE with no rectangle paints nothing.
    ASSERT_TRUE(ExtTextOutW(memory.dc(), 0, 0, ETO_OPAQUE, nullptr, nullptr, 0, nullptr));
    EXPECT_EQ(memory.Ink(RECT{0, 0, 20, 20}, MemoryDc::kPaper).size(), 16u);
}

TEST(GdiDrawing, SystemColourIndexPlusOneActsAsABrush) {
    MemoryDc memory(4, 4);
    const RECT all{0, 0, 4, 4};
    ASSERT_TRUE(FillRect(memory.dc(), &all, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)));
    EXPECT_EQ(memory.Pixel(1, 1), GetSysColor(COLOR_BTNFACE));
}

TEST(GdiDrawing, ScreenContextDrawsAtItsOriginAndOnlyInsideItsClip) {
    auto& screen = platform::display::Screen();
    {
        auto lock = screen.Lock();
        std::fill(screen.Pixels(), screen.Pixels() + 240 * 320, 0xFFFFFFu);
        screen.TakeDirty();
    }
    // Two clip rectangles that overlap: the union, each pixel once.
    HDC dc =
        platform::gdi::CreateScreenDC(POINT{10, 30}, {RECT{10, 30, 50, 60}, RECT{40, 50, 70, 80}});
    ASSERT_NE(dc, nullptr);
    const RECT everything{-100, -100, 500, 500};
    ASSERT_TRUE(FillRect(dc, &everything, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
    SetPixel(dc, 0, 0, RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0)) << "logical (0, 0) is screen (10, 30)";
    EXPECT_EQ(GetPixel(dc, -1, 0), CLR_INVALID) << "outside the clip";
    EXPECT_EQ(GetPixel(dc, 40, 5), CLR_INVALID) << "a clip rectangle's right edge is outside";
    EXPECT_TRUE(platform::gdi::DeleteScreenDC(dc));
    EXPECT_FALSE(platform::gdi::DeleteScreenDC(dc));

    auto lock = screen.Lock();
    int black = 0;
    for (int y = 0; y < 320; ++y) {
        for (int x = 0; x < 240; ++x) {
            const std::uint32_t pixel = screen.Pixels()[y * 240 + x];
            const bool inside = (x >= 10 && x < 50 && y >= 30 && y < 60) ||
                                (x >= 40 && x < 70 && y >= 50 && y < 80);
            if (!inside) {
                ASSERT_EQ(pixel, 0xFFFFFFu) << x << "," << y;
            }
            black += pixel == 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(black, 40 * 30 + 30 * 30 - 10 * 10 - 1);
    const auto dirty = screen.TakeDirty();
    ASSERT_TRUE(dirty.has_value());
    EXPECT_EQ((std::array{dirty->left, dirty->top, dirty->right, dirty->bottom}),
              (std::array<LONG, 4>{10, 30, 70, 80}));
}

TEST(GdiDrawing, BitBltCopiesEvenOntoItself) {
    MemoryDc source(4, 4);
    MemoryDc dest(16, 16);
    SetPixel(source.dc(), 1, 2, RGB(0, 0, 255));
    ASSERT_TRUE(BitBlt(dest.dc(), 5, 5, 4, 4, source.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(dest.Pixel(6, 7), RGB(0, 0, 255));
    EXPECT_EQ(dest.Ink(RECT{0, 0, 16, 16}, MemoryDc::kPaper).size(), 1u);
    // Overlapping copy within one bitmap reads the pixels as they were before.
    ASSERT_TRUE(BitBlt(dest.dc(), 0, 1, 15, 15, dest.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(dest.Ink(RECT{0, 0, 16, 16}, MemoryDc::kPaper).size(), 1u);
    EXPECT_EQ(dest.Pixel(6, 8), RGB(0, 0, 255));
    EXPECT_FALSE(BitBlt(dest.dc(), 0, 0, 1, 1, source.dc(), 0, 0, 0x12345678));
}

}  // namespace
