// How an edit control's text falls into lines: at each "\r\n", and, when the control
// wraps, at the last blank that lets a line fit the width (or inside a word too long
// for any line). Widths come from a measure function, so the layout holds no device
// context.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::controls {

struct EditLine {
    std::size_t start = 0;
    std::size_t length = 0;  // the characters shown, without the line break
};

class EditLayout {
  public:
    using Measure = std::function<int(std::u16string_view)>;

    // `wrapWidth` 0 keeps every line whole. A single-line control has one line
    // whatever the text holds.
    void Build(const std::u16string& text, bool multiLine, int wrapWidth, const Measure& measure);

    std::size_t LineCount() const { return lines_.size(); }
    const EditLine& Line(std::size_t index) const { return lines_[index]; }
    // The line the caret at `position` stands on.
    std::size_t LineOf(std::size_t position) const;
    // The caret's distance from the start of its line, in pixels.
    int XOf(std::size_t position, const Measure& measure) const;
    // The caret position on `line` nearest to `x` pixels from the line's start.
    std::size_t PositionAt(std::size_t line, int x, const Measure& measure) const;

  private:
    void WrapParagraph(std::size_t start, std::size_t end, int wrapWidth, const Measure& measure);

    std::u16string text_;
    std::vector<EditLine> lines_{EditLine{}};
};

}  // namespace platform::controls
