// The Pocket PC painter's check box, which leaves the context as it found it. (Its edges and
// the drop-down button are seen in the golden screens.)
#include "gdi/memory_dc.h"
#include "gdi/pocket_pc_painter.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using platform::gdi::PocketPcPainter;

TEST(PocketPcPainter, CheckBoxShowsItsMarkOnlyWhenChecked) {
    MemoryDc unchecked(20, 20);
    MemoryDc checked(20, 20);
    const RECT row{2, 0, 18, 20};
    PocketPcPainter::DrawCheckBox(unchecked.dc(), row, false, true);
    PocketPcPainter::DrawCheckBox(checked.dc(), row, true, true);
    const RECT inner{4, 5, 14, 15};
    EXPECT_TRUE(unchecked.Ink(inner, MemoryDc::kPaper).empty());
    EXPECT_FALSE(checked.Ink(inner, MemoryDc::kPaper).empty());
    EXPECT_EQ(checked.Pixel(2, 3), GetSysColor(COLOR_WINDOWTEXT)) << "the box's frame";
    EXPECT_EQ(GetTextColor(checked.dc()), RGB(0, 0, 0)) << "the context is left as it was";
    EXPECT_EQ(GetBkMode(checked.dc()), OPAQUE);
}

}  // namespace
