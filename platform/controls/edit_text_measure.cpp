#include "controls/edit_text_measure.h"

namespace platform::controls {

EditTextMeasure::EditTextMeasure(HWND hwnd, HFONT font)
    : hwnd_(hwnd), dc_(GetDC(hwnd)), previousFont_(SelectObject(dc_, FontOrDefault(font))) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    lineHeight_ = metrics.tmHeight > 0 ? static_cast<int>(metrics.tmHeight) : 1;
}

EditTextMeasure::~EditTextMeasure() {
    SelectObject(dc_, previousFont_);
    ReleaseDC(hwnd_, dc_);
}

int EditTextMeasure::Width(std::u16string_view text) const {
    if (text.empty()) {
        return 0;
    }
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
}

}  // namespace platform::controls
