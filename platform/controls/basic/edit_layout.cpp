#include "controls/basic/edit_layout.h"

#include <algorithm>

namespace platform::controls {

void EditLayout::Build(const std::u16string& text, bool multiLine, int wrapWidth,
                       const Measure& measure) {
    text_ = text;
    lines_.clear();
    if (!multiLine) {
        lines_.push_back(EditLine{0, text.size()});
        return;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t lineBreak = text.find(u"\r\n", start);
        const std::size_t end = lineBreak == std::u16string::npos ? text.size() : lineBreak;
        if (wrapWidth > 0) {
            WrapParagraph(start, end, wrapWidth, measure);
        } else {
            lines_.push_back(EditLine{start, end - start});
        }
        if (lineBreak == std::u16string::npos) {
            break;
        }
        start = lineBreak + 2;
    }
}

void EditLayout::WrapParagraph(std::size_t start, std::size_t end, int wrapWidth,
                               const Measure& measure) {
    const std::u16string_view text(text_);
    while (measure(text.substr(start, end - start)) > wrapWidth) {
        // The longest stretch from `start` that fits, found by halving.
        std::size_t fits = 0;
        std::size_t low = 1;
        std::size_t high = end - start;
        while (low <= high) {
            const std::size_t middle = low + (high - low) / 2;
            if (measure(text.substr(start, middle)) <= wrapWidth) {
                fits = middle;
                low = middle + 1;
            } else {
                high = middle - 1;
            }
        }
        // Break after the last blank that still fits (blanks may hang past the edge);
        // a word wider than the line is cut where it stops fitting.
        std::size_t lineEnd = start + std::max<std::size_t>(fits, 1);
        const std::size_t blank = text.substr(start, fits + 1).find_last_of(u' ');
        if (blank != std::u16string_view::npos && blank > 0) {
            lineEnd = start + blank + 1;
        }
        while (lineEnd < end && text[lineEnd] == u' ') {
            ++lineEnd;
        }
        lines_.push_back(EditLine{start, lineEnd - start});
        start = lineEnd;
        if (start == end) {
            return;
        }
    }
    lines_.push_back(EditLine{start, end - start});
}

std::size_t EditLayout::LineOf(std::size_t position) const {
    const auto after = std::upper_bound(
        lines_.begin(), lines_.end(), position,
        [](std::size_t value, const EditLine& line) { return value < line.start; });
    return after == lines_.begin() ? 0 : static_cast<std::size_t>(after - lines_.begin()) - 1;
}

int EditLayout::XOf(std::size_t position, const Measure& measure) const {
    const EditLine& line = lines_[LineOf(position)];
    const std::size_t count = std::min(position - line.start, line.length);
    return measure(std::u16string_view(text_).substr(line.start, count));
}

std::size_t EditLayout::PositionAt(std::size_t lineIndex, int x, const Measure& measure) const {
    const EditLine& line = lines_[std::min(lineIndex, lines_.size() - 1)];
    const std::u16string_view text = std::u16string_view(text_).substr(line.start, line.length);
    int previous = 0;
    for (std::size_t count = 1; count <= text.size(); ++count) {
        const int width = measure(text.substr(0, count));
        if (x < (previous + width) / 2 + (previous + width) % 2) {
            return line.start + count - 1;
        }
        previous = width;
    }
    return line.start + line.length;
}

}  // namespace platform::controls
