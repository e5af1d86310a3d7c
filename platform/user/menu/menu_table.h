// The process's menus behind HMENU handles. Handles come from a generation-checked
// table, so a destroyed or forged handle finds nothing and its caller fails cleanly.
// Menus may be built on one thread and shown on another, hence the lock.
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <optional>

#include "kernel/objects/handle_table.h"
#include "user/menu/menu.h"

namespace platform::user {

class MenuTable {
  public:
    static MenuTable& Instance();

    HMENU Create();
    // Runs `change` on the menu under the table's lock. False (and nothing runs) when the
    // handle names no menu.
    bool Modify(HMENU handle, const std::function<void(Menu&)>& change);
    // A copy of the menu as it is now, for reading or showing without the lock.
    std::optional<Menu> Copy(HMENU handle);
    // Destroys the menu and the sub-menus its items own. False for a stale handle.
    bool Destroy(HMENU handle);

  private:
    MenuTable() = default;
    void DestroyLocked(HMENU handle, int depth);

    std::mutex mutex_;
    kernel::HandleTable<Menu, HMENU> menus_{0x4D};
};

}  // namespace platform::user
