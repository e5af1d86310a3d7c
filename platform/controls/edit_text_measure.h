// Text widths and the line height of an edit control's font, measured on a device
// context of the control's window that is held for the object's lifetime.
#pragma once

#include <windows.h>

#include <string_view>

#include "controls/control_parent.h"

namespace platform::controls {

class EditTextMeasure {
  public:
    EditTextMeasure(HWND hwnd, HFONT font);
    ~EditTextMeasure();
    EditTextMeasure(const EditTextMeasure&) = delete;
    EditTextMeasure& operator=(const EditTextMeasure&) = delete;

    int Width(std::u16string_view text) const;
    int LineHeight() const { return lineHeight_; }

  private:
    HWND hwnd_;
    HDC dc_;
    HGDIOBJ previousFont_;
    int lineHeight_ = 0;
};

}  // namespace platform::controls
