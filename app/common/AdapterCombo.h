// A page's drop-down list of the snapshot's adapters and the adapter chosen in it. The
// pages that keep one all follow the same rules: a refill reselects the adapter by its
// interface index (the records may be gone) or falls back to the first, and another
// page's choice is followed by record identity, since every page lists the same
// snapshot's records.
#pragma once

#include <windows.h>

#include <optional>

#include "common/AdapterSnapshot.h"

class AdapterCombo {
  public:
    void AttachTo(HWND combo) { combo_ = combo; }

    // Lists the snapshot's adapters by display name (by adapter name when there is
    // none) and selects the one with the current interface index, else the first.
    void Fill(const AdapterSnapshot& snapshot);
    // The current adapter follows the combo's selection, as after the user chose one.
    void TakeSelection();
    // Selects the item carrying this very record, if the combo has one, and takes the
    // selection; another record leaves the selection as it was.
    void Follow(LPARAM record);

    // The selected record, or nullptr when nothing is selected. Only valid until the
    // snapshot is taken anew.
    AdapterRecord* Current() const { return current_; }
    // The selected adapter's interface index, which outlives a new snapshot.
    std::optional<DWORD> CurrentInterfaceIndex() const { return currentInterfaceIndex_; }

  private:
    AdapterRecord* ItemRecord(LRESULT item) const;

    HWND combo_ = nullptr;
    AdapterRecord* current_ = nullptr;
    std::optional<DWORD> currentInterfaceIndex_;
};
