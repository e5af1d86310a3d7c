// Text through FreeType: placement, measurement and styles. (The dialog font's units are
// checked where dialogs use them, Marlett's glyphs where the painter draws them.)
#include "gdi/memory_dc.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

HFONT MakeFont(const char16_t* face, int height, int weight = FW_NORMAL, bool italic = false,
               bool underline = false) {
    return CreateFontW(height, 0, 0, 0, weight, italic, underline, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                       face);
}

// Draws `text` with `font` at (2, 2) on a fresh bitmap and returns the ink.
std::vector<std::pair<int, int>> InkOf(HFONT font, const char16_t* text) {
    MemoryDc memory(120, 40);
    HGDIOBJ old = SelectObject(memory.dc(), font);
    ExtTextOutW(memory.dc(), 2, 2, 0, nullptr, text, static_cast<UINT>(lstrlenW(text)), nullptr);
    SelectObject(memory.dc(), old);
    return memory.Ink(RECT{0, 0, 120, 40}, MemoryDc::kPaper);
}

TEST(GdiText, CalcRectMeasuresWithoutDrawing) {
    MemoryDc memory(200, 100);
    SIZE extent{};
    ASSERT_TRUE(GetTextExtentPoint32W(memory.dc(), u"Refresh List", 12, &extent));
    RECT single{5, 5, 5, 5};
    const int height =
        DrawTextW(memory.dc(), u"Refresh &List", -1, &single, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(single.right - single.left, extent.cx) << "the prefix '&' takes no room";
    EXPECT_EQ(single.bottom - single.top, extent.cy);
    EXPECT_EQ(height, extent.cy);
    EXPECT_TRUE(memory.Ink(RECT{0, 0, 200, 100}, MemoryDc::kPaper).empty());

    RECT wrapped{0, 0, 60, 0};
    const int wrapped_height = DrawTextW(memory.dc(), u"one two three four five six", -1, &wrapped,
                                         DT_WORDBREAK | DT_CALCRECT);
    EXPECT_GT(wrapped_height, extent.cy);
    EXPECT_EQ(wrapped_height % extent.cy, 0);
    EXPECT_LE(wrapped.right, 60);
    RECT two_lines{0, 0, 200, 0};
    EXPECT_EQ(DrawTextW(memory.dc(), u"a\r\nb", -1, &two_lines, DT_CALCRECT), 2 * extent.cy);
    // Words that fill the width exactly stay on one line.
    ASSERT_TRUE(GetTextExtentPoint32W(memory.dc(), u"one two", 7, &extent));
    RECT exact{0, 0, extent.cx, 0};
    EXPECT_EQ(DrawTextW(memory.dc(), u"one two", -1, &exact, DT_WORDBREAK | DT_CALCRECT),
              extent.cy);
}

TEST(GdiText, TextIsClippedToTheRectangleUnlessAskedNotTo) {
    MemoryDc memory(100, 30);
    RECT narrow{0, 0, 12, 30};
    DrawTextW(memory.dc(), u"Wide text here", -1, &narrow, DT_SINGLELINE);
    EXPECT_LE(memory.InkBounds(RECT{0, 0, 100, 30}, MemoryDc::kPaper).right, 12);
    DrawTextW(memory.dc(), u"Wide text here", -1, &narrow, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(memory.InkBounds(RECT{0, 0, 100, 30}, MemoryDc::kPaper).right, 12);
}

TEST(GdiText, PrefixUnderlinesOneCharacterAndNoPrefixShowsTheAmpersand) {
    MemoryDc with_prefix(100, 30);
    MemoryDc without_prefix(100, 30);
    RECT area{0, 0, 100, 30};
    DrawTextW(with_prefix.dc(), u"&File", -1, &area, DT_SINGLELINE);
    DrawTextW(without_prefix.dc(), u"File", -1, &area, DT_SINGLELINE);
    EXPECT_GT(with_prefix.Ink(area, MemoryDc::kPaper).size(),
              without_prefix.Ink(area, MemoryDc::kPaper).size());
    MemoryDc literal(100, 30);
    DrawTextW(literal.dc(), u"&File", -1, &area, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(literal.InkBounds(area, MemoryDc::kPaper).right,
              without_prefix.InkBounds(area, MemoryDc::kPaper).right);
}

TEST(GdiText, EllipsisShortensALineThatDoesNotFit) {
    MemoryDc memory(200, 30);
    RECT narrow{0, 0, 40, 30};
    DrawTextW(memory.dc(), u"A rather long adapter name", -1, &narrow,
              DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    const RECT ink = memory.InkBounds(RECT{0, 0, 200, 30}, MemoryDc::kPaper);
    EXPECT_LE(ink.right, 40);
    EXPECT_GT(ink.right, 20);
}

// (Bold and italic faces are seen in the golden screens.)
TEST(GdiText, UnderlineAddsInkAndAPositiveHeightAsksForTheCellHeight) {
    HFONT plain = MakeFont(u"Tahoma", -11);
    HFONT underline = MakeFont(u"Tahoma", -11, FW_NORMAL, false, true);
    HFONT link = MakeFont(u"", 15, FW_MEDIUM, true, true);
    EXPECT_GT(InkOf(underline, u"Refresh").size(), InkOf(plain, u"Refresh").size());
    MemoryDc memory(10, 10);
    SelectObject(memory.dc(), link);
    TEXTMETRICW metrics{};
    ASSERT_TRUE(GetTextMetricsW(memory.dc(), &metrics));
    EXPECT_EQ(metrics.tmHeight, 15);
    EXPECT_EQ(metrics.tmAscent + metrics.tmDescent, metrics.tmHeight);
    SelectObject(memory.dc(), GetStockObject(SYSTEM_FONT));
    for (HFONT font : {plain, underline, link}) {
        EXPECT_TRUE(DeleteObject(font));
    }
}

}  // namespace
