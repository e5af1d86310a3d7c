#include "gdi/text_layout.h"

#include "gdi/text_run.h"

namespace platform::gdi {

namespace {

struct PrefixedText {
    std::u32string text;
    std::size_t underlined = std::u32string::npos;
};

// "&&" is a literal ampersand; "&x" underlines x (the last one wins); a trailing '&'
// shows nothing.
PrefixedText RemovePrefixes(std::u32string_view text) {
    PrefixedText result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != U'&') {
            result.text.push_back(text[i]);
            continue;
        }
        if (++i == text.size()) {
            break;
        }
        if (text[i] != U'&') {
            result.underlined = result.text.size();
        }
        result.text.push_back(text[i]);
    }
    return result;
}

struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Paragraphs end at "\r\n", "\n" or "\r"; the breaks themselves are not shown.
std::vector<Span> SplitParagraphs(std::u32string_view text) {
    std::vector<Span> paragraphs;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == U'\r' || text[i] == U'\n') {
            paragraphs.push_back({begin, i});
            if (text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') {
                ++i;
            }
            begin = i + 1;
        }
    }
    paragraphs.push_back({begin, text.size()});
    return paragraphs;
}

// Greedy wrapping at spaces; a word wider than the width keeps a line of its own, and
// the spaces where a line breaks are dropped.
void WrapParagraph(FontInstance& font, std::u32string_view text, Span paragraph, int width,
                   std::vector<Span>& lines) {
    std::size_t line_begin = paragraph.begin;
    std::size_t line_end = paragraph.begin;  // after the last word that fitted
    std::size_t i = paragraph.begin;
    while (i < paragraph.end) {
        std::size_t word_end = i;
        while (word_end < paragraph.end && text[word_end] == U' ') {
            ++word_end;
        }
        while (word_end < paragraph.end && text[word_end] != U' ') {
            ++word_end;
        }
        const int candidate = MeasureRun(font, text.substr(line_begin, word_end - line_begin));
        if (candidate > width && line_end > line_begin) {
            lines.push_back({line_begin, line_end});
            line_begin = line_end;
            while (line_begin < paragraph.end && text[line_begin] == U' ') {
                ++line_begin;
            }
            line_end = line_begin;
            i = line_begin;
            continue;
        }
        line_end = word_end;
        i = word_end;
    }
    lines.push_back({line_begin, std::max(line_begin, line_end)});
}

void AddEllipsis(FontInstance& font, TextLine& line, int width) {
    static constexpr std::u32string_view kEllipsis = U"...";
    if (line.width <= width) {
        return;
    }
    const int ellipsis_width = MeasureRun(font, kEllipsis);
    while (!line.text.empty() && MeasureRun(font, line.text) + ellipsis_width > width) {
        line.text.pop_back();
    }
    if (line.underlined_character >= static_cast<int>(line.text.size())) {
        line.underlined_character = -1;
    }
    line.text += kEllipsis;
    line.width = MeasureRun(font, line.text);
}

}  // namespace

std::vector<TextLine> LayoutText(FontInstance& font, std::u16string_view text, UINT format,
                                 int width) {
    PrefixedText prefixed;
    if (format & DT_NOPREFIX) {
        prefixed.text = DecodeUtf16(text);
    } else {
        prefixed = RemovePrefixes(DecodeUtf16(text));
    }
    std::vector<Span> spans;
    if (format & DT_SINGLELINE) {
        spans.push_back({0, prefixed.text.size()});
    } else {
        for (const Span& paragraph : SplitParagraphs(prefixed.text)) {
            if (format & DT_WORDBREAK) {
                WrapParagraph(font, prefixed.text, paragraph, width, spans);
            } else {
                spans.push_back(paragraph);
            }
        }
    }
    std::vector<TextLine> lines;
    for (const Span& span : spans) {
        TextLine line;
        line.text = prefixed.text.substr(span.begin, span.end - span.begin);
        line.width = MeasureRun(font, line.text);
        if (prefixed.underlined >= span.begin && prefixed.underlined < span.end) {
            line.underlined_character = static_cast<int>(prefixed.underlined - span.begin);
        }
        if ((format & DT_END_ELLIPSIS) && !(format & DT_CALCRECT)) {
            AddEllipsis(font, line, width);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace platform::gdi
