#include "controls/list_view_rows.h"

#include <algorithm>

namespace platform::controls {

const std::u16string& ListViewRow::Text(int sub_item) const {
    static const std::u16string kEmpty;
    return sub_item >= 0 && sub_item < static_cast<int>(texts.size()) ? texts[sub_item] : kEmpty;
}

void ListViewRow::SetText(int sub_item, std::u16string text) {
    if (sub_item >= static_cast<int>(texts.size())) {
        texts.resize(sub_item + 1);
    }
    texts[sub_item] = std::move(text);
}

int ListViewRows::Insert(int index, ListViewRow row) {
    index = std::clamp(index, 0, Count());
    rows_.insert(rows_.begin() + index, std::move(row));
    return index;
}

void ListViewRows::InsertSubItem(int sub_item) {
    for (ListViewRow& row : rows_) {
        if (sub_item < static_cast<int>(row.texts.size())) {
            row.texts.insert(row.texts.begin() + sub_item, std::u16string());
        }
    }
}

int ListViewRows::Next(int start, UINT state) const {
    for (int index = std::max(start + 1, 0); index < Count(); ++index) {
        if ((rows_[index].state & state) == state) {
            return index;
        }
    }
    return -1;
}

int ListViewRows::CountWith(UINT state) const {
    return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [state](const auto& row) {
        return (row.state & state) == state;
    }));
}

}  // namespace platform::controls
