#include "gdi/text_run.h"

namespace platform::gdi {

std::u32string DecodeUtf16(std::u16string_view text) {
    std::u32string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            result.push_back(0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            result.push_back(0xFFFD);
        } else {
            result.push_back(unit);
        }
    }
    return result;
}

int MeasureRun(FontInstance& font, std::u32string_view text, const INT* spacing) {
    int width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        width += spacing ? spacing[i] : font.GlyphFor(text[i]).advance;
    }
    return width;
}

void DrawRun(Canvas& canvas, FontInstance& font, int x, int top, std::u32string_view text,
             const RunStyle& style) {
    const FontMetrics& metrics = font.Metrics();
    const int baseline = top + metrics.ascent;
    const int underline_top = baseline + metrics.underline_offset;
    int pen_x = x;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph& glyph = font.GlyphFor(text[i]);
        canvas.DrawMono(glyph.Image(), pen_x + glyph.left, baseline - glyph.top, style.color);
        const int advance = style.spacing ? style.spacing[i] : glyph.advance;
        if (static_cast<int>(i) == style.underlined_character) {
            canvas.FillRect(RECT{pen_x, underline_top, pen_x + advance,
                                 underline_top + metrics.underline_thickness},
                            style.color);
        }
        pen_x += advance;
    }
    if (style.underline) {
        canvas.FillRect(RECT{x, underline_top, pen_x, underline_top + metrics.underline_thickness},
                        style.color);
    }
}

}  // namespace platform::gdi
