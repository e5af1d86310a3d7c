// The Pocket PC painter's glyphs leave the context as they found it, so that what is drawn
// next keeps its own colours. (The shapes themselves are seen in the golden screens.)
#include "gdi/memory_dc.h"
#include "gdi/pocket_pc_painter.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(PocketPcPainter, ACheckMarkLeavesTheContextAsItFoundIt) {
    MemoryDc memory(20, 20);
    platform::gdi::PocketPcPainter::DrawCheckBox(memory.dc(), RECT{2, 0, 18, 20}, true, true);
    EXPECT_FALSE(memory.Ink(RECT{4, 5, 14, 15}, MemoryDc::kPaper).empty()) << "the mark";
    EXPECT_EQ(GetTextColor(memory.dc()), RGB(0, 0, 0));
    EXPECT_EQ(GetBkMode(memory.dc()), OPAQUE);
}

}  // namespace
