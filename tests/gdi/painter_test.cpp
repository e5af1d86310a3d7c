// The Pocket PC painter's shapes: the colours of an edge's rings and the glyphs it adds.
#include "gdi/memory_dc.h"
#include "gdi/pocket_pc_painter.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using platform::gdi::EdgeStyle;
using platform::gdi::PocketPcPainter;

TEST(PocketPcPainter, EdgesAreLitFromTheTopLeftAndSunkenEdgesTheOtherWay) {
    MemoryDc memory(20, 20);
    const RECT inside =
        PocketPcPainter::DrawEdge(memory.dc(), RECT{0, 0, 10, 10}, EdgeStyle::Raised);
    EXPECT_EQ(inside.left, 2);
    EXPECT_EQ(inside.bottom, 8);
    EXPECT_EQ(memory.Pixel(1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(memory.Pixel(9, 9), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(memory.Pixel(8, 5), GetSysColor(COLOR_BTNSHADOW));
    PocketPcPainter::DrawEdge(memory.dc(), RECT{10, 10, 20, 20}, EdgeStyle::Sunken);
    EXPECT_EQ(memory.Pixel(10, 15), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(memory.Pixel(11, 11), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(memory.Pixel(19, 19), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(memory.Pixel(5, 5), RGB(255, 255, 255)) << "the inside is left alone";
}

TEST(PocketPcPainter, CheckBoxShowsItsMarkOnlyWhenChecked) {
    MemoryDc unchecked(20, 20);
    MemoryDc checked(20, 20);
    const RECT row{2, 0, 18, 20};
    PocketPcPainter::DrawCheckBox(unchecked.dc(), row, false, true);
    PocketPcPainter::DrawCheckBox(checked.dc(), row, true, true);
    const RECT inner{4, 5, 14, 15};
    EXPECT_TRUE(unchecked.Ink(inner, RGB(255, 255, 255)).empty());
    EXPECT_FALSE(checked.Ink(inner, RGB(255, 255, 255)).empty());
    EXPECT_EQ(checked.Pixel(2, 3), GetSysColor(COLOR_WINDOWTEXT)) << "the box's frame";
    EXPECT_EQ(GetTextColor(checked.dc()), RGB(0, 0, 0)) << "the context is left as it was";
    EXPECT_EQ(GetBkMode(checked.dc()), OPAQUE);
}

TEST(PocketPcPainter, DropDownArrowPointsDownInTheMiddle) {
    MemoryDc memory(20, 20);
    PocketPcPainter::DrawDropDownButton(memory.dc(), RECT{0, 0, 16, 20}, false, true);
    const RECT arrow = memory.InkBounds(RECT{1, 1, 15, 19}, GetSysColor(COLOR_BTNFACE));
    ASSERT_LT(arrow.left, arrow.right);
    EXPECT_NEAR((arrow.left + arrow.right) / 2, 8, 2);
    EXPECT_NEAR((arrow.top + arrow.bottom) / 2, 10, 2);
    // Wider at the top than at the bottom.
    const auto top_row =
        memory.Ink(RECT{1, arrow.top, 15, arrow.top + 1}, GetSysColor(COLOR_BTNFACE));
    const auto bottom_row =
        memory.Ink(RECT{1, arrow.bottom - 1, 15, arrow.bottom}, GetSysColor(COLOR_BTNFACE));
    EXPECT_GT(top_row.size(), bottom_row.size());
}

}  // namespace
