// One line of text through a realised font: its width, and drawing it into a canvas.
#pragma once

#include "gdi/canvas.h"
#include "gdi/font_instance.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace platform::gdi {

// Code points from UTF-16; an unpaired surrogate becomes U+FFFD.
std::u32string DecodeUtf16(std::u16string_view text);

// The sum of the characters' advances, or of `spacing` where given (ExtTextOutW's lpDx).
int MeasureRun(FontInstance& font, std::u32string_view text, const INT* spacing = nullptr);

struct RunStyle {
    std::uint32_t color = 0;
    bool underline = false;         // the whole run
    int underlined_character = -1;  // one character, for a '&' prefix; -1 for none
    const INT* spacing = nullptr;
};

// Draws `text` with its cell's top-left corner at (x, top), in device pixels.
void DrawRun(Canvas& canvas, FontInstance& font, int x, int top, std::u32string_view text,
             const RunStyle& style);

}  // namespace platform::gdi
