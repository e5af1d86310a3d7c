// The list view's rows: each row's texts by sub-item, its image, its item data and its
// state bits. Rows live in one vector, so appending is amortised constant time and a
// row is found by index at once.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace platform::controls {

struct ListViewRow {
    // By sub-item; sub-items past the end are empty.
    std::vector<std::u16string> texts;
    int image = 0;
    LPARAM param = 0;
    UINT state = 0;

    const std::u16string& Text(int sub_item) const;
    void SetText(int sub_item, std::u16string text);
};

class ListViewRows {
  public:
    int Count() const { return static_cast<int>(rows_.size()); }
    bool Contains(int index) const { return index >= 0 && index < Count(); }
    ListViewRow& At(int index) { return rows_[index]; }
    const ListViewRow& At(int index) const { return rows_[index]; }

    // Inserts before `index`, or appends when `index` is past the end; returns where.
    int Insert(int index, ListViewRow row);
    void Erase(int index) { rows_.erase(rows_.begin() + index); }
    void Clear() { rows_.clear(); }
    // A column inserted at `sub_item` moves the texts at and after it one place on.
    void InsertSubItem(int sub_item);

    // The first row after `start` (-1: from the first) whose state holds every bit of
    // `state`, or -1.
    int Next(int start, UINT state) const;
    int CountWith(UINT state) const;

  private:
    std::vector<ListViewRow> rows_;
};

}  // namespace platform::controls
