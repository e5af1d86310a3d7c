// The list view's rows: each row's texts by sub-item, its image, its item data and its
// state bits. Rows live in one vector, so appending is amortised constant time and a
// row is found by index at once.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace platform::controls {

class ListViewRow {
  public:
    int image = 0;
    LPARAM param = 0;
    UINT state = 0;

    // Sub-items past the last one set are empty.
    std::u16string_view Text(int sub_item) const;
    void SetText(int sub_item, std::u16string_view text);
    // A column inserted at `sub_item` moves the texts at and after it one place on.
    void InsertSubItem(int sub_item);
    void ReserveText(std::size_t characters) { cells_.reserve(characters); }

  private:
    // Where sub-item `sub_item`'s text starts in cells_, or npos when it has none.
    std::size_t CellStart(int sub_item) const;

    // Every sub-item's text in order, each ended by a NUL (a text that comes through the
    // Win32 calls never holds one), so that a row's texts cost one allocation: filling
    // ten thousand rows is mostly allocation otherwise.
    std::u16string cells_;
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
