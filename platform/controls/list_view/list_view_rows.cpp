#include "controls/list_view/list_view_rows.h"

#include <algorithm>

namespace platform::controls {

std::size_t ListViewRow::CellStart(int sub_item) const {
    std::size_t start = 0;
    for (int cell = 0; cell < sub_item; ++cell) {
        const std::size_t end = cells_.find(u'\0', start);
        if (end == std::u16string::npos) {
            return std::u16string::npos;
        }
        start = end + 1;
    }
    return start < cells_.size() ? start : std::u16string::npos;
}

std::u16string_view ListViewRow::Text(int sub_item) const {
    const std::size_t start = sub_item >= 0 ? CellStart(sub_item) : std::u16string::npos;
    if (start == std::u16string::npos) {
        return {};
    }
    return std::u16string_view(cells_).substr(start, cells_.find(u'\0', start) - start);
}

void ListViewRow::SetText(int sub_item, std::u16string_view text) {
    // A NUL inside would split the text into two cells.
    text = text.substr(0, text.find(u'\0'));
    std::size_t start = CellStart(sub_item);
    if (start == std::u16string::npos) {
        const auto cells = static_cast<int>(std::count(cells_.begin(), cells_.end(), u'\0'));
        cells_.append(static_cast<std::size_t>(sub_item - cells), u'\0');
        start = cells_.size();
        cells_.append(text);
        cells_.push_back(u'\0');
        return;
    }
    cells_.replace(start, cells_.find(u'\0', start) - start, text);
}

void ListViewRow::InsertSubItem(int sub_item) {
    const std::size_t start = CellStart(sub_item);
    if (start != std::u16string::npos) {
        cells_.insert(start, 1, u'\0');
    }
}

int ListViewRows::Insert(int index, ListViewRow row) {
    index = std::clamp(index, 0, Count());
    rows_.insert(rows_.begin() + index, std::move(row));
    return index;
}

void ListViewRows::InsertSubItem(int sub_item) {
    for (ListViewRow& row : rows_) {
        row.InsertSubItem(sub_item);
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
