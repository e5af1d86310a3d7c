// Where the edit's text breaks into lines, with every character one pixel wide so the
// widths are plain to see.
#include <gtest/gtest.h>

#include "controls/basic/edit_layout.h"

namespace platform::controls {
namespace {

int OnePixelEach(std::u16string_view text) {
    return static_cast<int>(text.size());
}

std::vector<std::u16string> Lines(const std::u16string& text, int wrapWidth) {
    EditLayout layout;
    layout.Build(text, true, wrapWidth, OnePixelEach);
    std::vector<std::u16string> lines;
    for (std::size_t i = 0; i < layout.LineCount(); ++i) {
        lines.push_back(text.substr(layout.Line(i).start, layout.Line(i).length));
    }
    return lines;
}

TEST(EditLayoutTest, BreaksAtLineBreaksAndWrapsAtBlanksOrInsideLongWords) {
    EXPECT_EQ(Lines(u"ab\r\n\r\ncd\r\n", 0), (std::vector<std::u16string>{u"ab", u"", u"cd", u""}));
    EXPECT_EQ(Lines(u"one two three", 8), (std::vector<std::u16string>{u"one two ", u"three"}));
    EXPECT_EQ(Lines(u"abcdefghij", 4), (std::vector<std::u16string>{u"abcd", u"efgh", u"ij"}));
    // Blanks at a break hang past the edge rather than start the next line.
    EXPECT_EQ(Lines(u"ab    cd", 3), (std::vector<std::u16string>{u"ab    ", u"cd"}));
}

TEST(EditLayoutTest, PositionsMapToLinesAndBack) {
    EditLayout layout;
    const std::u16string text = u"abc\r\nde";
    layout.Build(text, true, 0, OnePixelEach);
    EXPECT_EQ(layout.LineOf(3), 0u);
    EXPECT_EQ(layout.LineOf(5), 1u);
    EXPECT_EQ(layout.XOf(7, OnePixelEach), 2);
    EXPECT_EQ(layout.PositionAt(0, 100, OnePixelEach), 3u) << "past the end stops before the break";
    EXPECT_EQ(layout.PositionAt(1, 1, OnePixelEach), 6u);
    EXPECT_EQ(layout.PositionAt(1, -5, OnePixelEach), 5u);
}

}  // namespace
}  // namespace platform::controls
