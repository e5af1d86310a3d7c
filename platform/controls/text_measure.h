// Text widths and the line height of a control's font, measured on a memory device
// context held for the object's life: a control that measures many strings at once (a
// column sized to its rows, a paragraph wrapped word by word, a strip of tabs) makes one
// context for all of them, not one a string.
#pragma once

#include <windows.h>

#include <string_view>

namespace platform::controls {

class TextMeasure {
  public:
    // A null font measures in the default one, as the controls draw without WM_SETFONT.
    explicit TextMeasure(HFONT font);
    ~TextMeasure();
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;

    int Width(std::u16string_view text) const;
    // Never below one, so that callers may divide by it.
    int LineHeight() const { return lineHeight_; }

  private:
    HDC dc_ = CreateCompatibleDC(nullptr);
    HGDIOBJ previousFont_ = nullptr;
    int lineHeight_ = 1;
};

}  // namespace platform::controls
