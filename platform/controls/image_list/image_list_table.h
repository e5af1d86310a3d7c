// The process's image lists behind HIMAGELIST handles. Handles come from a
// generation-checked table, so a destroyed list's handle, or a forged one, finds
// nothing. One lock covers the table and every use of a list, so a list is never
// destroyed while another thread draws it.
#pragma once

#include <commctrl.h>

#include <memory>
#include <mutex>

#include "controls/image_list/image_list.h"
#include "kernel/objects/handle_table.h"

namespace platform::controls {

class ImageListTable {
  public:
    static ImageListTable& Instance();

    [[nodiscard]] std::unique_lock<std::mutex> Lock() { return std::unique_lock(mutex_); }

    // The following need the lock.
    HIMAGELIST Add(std::unique_ptr<ImageList> list);
    // Sets ERROR_INVALID_HANDLE when the handle names no live list.
    ImageList* Find(HIMAGELIST handle);
    bool Destroy(HIMAGELIST handle);

  private:
    ImageListTable() = default;

    std::mutex mutex_;
    kernel::HandleTable<std::unique_ptr<ImageList>, HIMAGELIST> lists_{0x49};
};

}  // namespace platform::controls
