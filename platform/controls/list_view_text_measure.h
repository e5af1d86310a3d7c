// Measures text in a font with a memory device context held for the object's life, so
// that sizing a column to ten thousand rows' texts makes one context, not ten thousand.
#pragma once

#include <windows.h>

#include <string_view>

namespace platform::controls {

class ListViewTextMeasure {
  public:
    explicit ListViewTextMeasure(HFONT font);
    ~ListViewTextMeasure();
    ListViewTextMeasure(const ListViewTextMeasure&) = delete;
    ListViewTextMeasure& operator=(const ListViewTextMeasure&) = delete;

    int Width(std::u16string_view text) const;
    int LineHeight() const;

  private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_font_ = nullptr;
};

}  // namespace platform::controls
