#include "controls/combo_box/combo_box_items.h"

#include <algorithm>

#include "kernel/text/case_folding.h"
#include "kernel/text/ignoring_case.h"

namespace platform::controls {

namespace {

bool LessIgnoringCase(std::u16string_view left, std::u16string_view right) {
    return std::ranges::lexicographical_compare(left, right, [](char16_t a, char16_t b) {
        return kernel::FoldCase(a) < kernel::FoldCase(b);
    });
}

}  // namespace

std::optional<int> ComboBoxItems::Insert(int index, std::u16string text) {
    if (index == -1) {
        index = Count();
    }
    if (index < 0 || index > Count()) {
        return std::nullopt;
    }
    items_.insert(items_.begin() + index, ComboBoxItem{std::move(text)});
    return index;
}

int ComboBoxItems::InsertSorted(std::u16string text) {
    const auto at = std::ranges::upper_bound(items_, text, LessIgnoringCase, &ComboBoxItem::text);
    const auto index = static_cast<int>(at - items_.begin());
    items_.insert(at, ComboBoxItem{std::move(text)});
    return index;
}

void ComboBoxItems::Erase(int index) {
    items_.erase(items_.begin() + index);
}

std::optional<int> ComboBoxItems::FindExact(int start, std::u16string_view text) const {
    const int count = Count();
    if (start < 0 || start >= count) {
        start = -1;
    }
    for (int step = 1; step <= count; ++step) {
        const int index = (start + step) % count;
        if (kernel::EqualsIgnoringCase(At(index).text, text)) {
            return index;
        }
    }
    return std::nullopt;
}

}  // namespace platform::controls
