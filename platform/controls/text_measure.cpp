#include "controls/text_measure.h"

#include <algorithm>

#include "controls/control_parent.h"

namespace platform::controls {

TextMeasure::TextMeasure(HFONT font) : previousFont_(SelectObject(dc_, FontOrDefault(font))) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    lineHeight_ = std::max(1, static_cast<int>(metrics.tmHeight));
}

TextMeasure::~TextMeasure() {
    SelectObject(dc_, previousFont_);
    DeleteDC(dc_);
}

int TextMeasure::Width(std::u16string_view text) const {
    if (text.empty()) {
        return 0;
    }
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
}

}  // namespace platform::controls
