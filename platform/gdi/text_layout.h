// How DrawTextW breaks and trims text into lines: '&' prefixes, line breaks, word
// wrapping to a width, and an ellipsis at the end of a line that does not fit.
#pragma once

#include "gdi/font_instance.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace platform::gdi {

struct TextLine {
    std::u32string text;
    int width = 0;
    int underlined_character = -1;
};

std::vector<TextLine> LayoutText(FontInstance& font, std::u16string_view text, UINT format,
                                 int width);

}  // namespace platform::gdi
