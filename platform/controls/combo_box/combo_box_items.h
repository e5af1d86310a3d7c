// The combo box's list: each item's text and the value the program attached to it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace platform::controls {

struct ComboBoxItem {
    std::u16string text;
    LONG_PTR data = 0;
    // Whether the program set the data (CB_SETITEMDATA), for the automation dump.
    bool dataSet = false;
};

class ComboBoxItems {
  public:
    int Count() const { return static_cast<int>(items_.size()); }
    bool IsValid(int index) const { return index >= 0 && index < Count(); }
    const ComboBoxItem& At(int index) const { return items_[static_cast<std::size_t>(index)]; }
    ComboBoxItem& At(int index) { return items_[static_cast<std::size_t>(index)]; }

    // Inserts at `index` (the end when -1); returns where the item went, or nothing when
    // `index` lies beyond the end.
    std::optional<int> Insert(int index, std::u16string text);
    // Inserts where the texts, compared ignoring letter case, stay in order.
    int InsertSorted(std::u16string text);
    void Erase(int index);
    void Clear() { items_.clear(); }

    // The first item whose text equals `text` ignoring letter case, searching from the
    // item after `start` to the end and then from the beginning (all items when `start`
    // is -1 or beyond the end).
    std::optional<int> FindExact(int start, std::u16string_view text) const;

  private:
    std::vector<ComboBoxItem> items_;
};

}  // namespace platform::controls
