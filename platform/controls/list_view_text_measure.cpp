#include "controls/list_view_text_measure.h"

namespace platform::controls {

ListViewTextMeasure::ListViewTextMeasure(HFONT font)
    : dc_(CreateCompatibleDC(nullptr)), previous_font_(SelectObject(dc_, font)) {}

ListViewTextMeasure::~ListViewTextMeasure() {
    SelectObject(dc_, previous_font_);
    DeleteDC(dc_);
}

int ListViewTextMeasure::Width(std::u16string_view text) const {
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int ListViewTextMeasure::LineHeight() const {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    return metrics.tmHeight;
}

}  // namespace platform::controls
