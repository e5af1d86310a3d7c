// A copy of the device's ARP table and a view of the rows of one adapter. Row pointers
// handed out stay valid until the next Refresh; the view never outlives the rows.
#pragma once

#include <memory>
#include <optional>

#include <windows.h>

#include "arp/ArpEntry.h"

class ArpTable {
  public:
    // Reads the table once; the view starts empty until FilterByAdapter.
    ArpTable();
    ArpTable(const ArpTable&) = delete;
    ArpTable& operator=(const ArpTable&) = delete;

    // Drops every row and reads the table anew. False when the read failed; the table
    // is then empty until the next call.
    bool Refresh();

    // Rebuilds the view: the rows of the adapter with this interface index, in table
    // order, or every row when no adapter is given.
    void FilterByAdapter(std::optional<DWORD> interfaceIndex);

    int ViewCount() const { return viewCount_; }
    // nullptr for a position outside the view.
    const ArpEntry* ViewAt(int position) const;

  private:
    void Clear();
    // Room for at least this many entries and view rows; false when memory ran out.
    bool Reserve(int count);

    // The storage outlives a read: the page reads every few seconds, and a large table
    // would otherwise be allocated and paged in afresh each time. Only the first
    // entryCount_ entries are the table.
    std::unique_ptr<ArpEntry[]> entries_;
    std::unique_ptr<const ArpEntry*[]> view_;
    int capacity_ = 0;
    int entryCount_ = 0;
    int viewCount_ = 0;
};
