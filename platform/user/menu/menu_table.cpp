#include "user/menu/menu_table.h"

#include "user/menu/menu.h"

namespace platform::user {

MenuTable& MenuTable::Instance() {
    static MenuTable* table = new MenuTable();
    return *table;
}

HMENU MenuTable::Create() {
    std::lock_guard lock(mutex_);
    return menus_.Add(Menu{});
}

bool MenuTable::Modify(HMENU handle, const std::function<void(Menu&)>& change) {
    std::lock_guard lock(mutex_);
    Menu* menu = menus_.Find(handle);
    if (!menu) {
        return false;
    }
    change(*menu);
    return true;
}

std::optional<Menu> MenuTable::Copy(HMENU handle) {
    std::lock_guard lock(mutex_);
    const Menu* menu = menus_.Find(handle);
    return menu ? std::optional(*menu) : std::nullopt;
}

bool MenuTable::Destroy(HMENU handle) {
    std::lock_guard lock(mutex_);
    if (!menus_.Find(handle)) {
        return false;
    }
    DestroyLocked(handle, 0);
    return true;
}

void MenuTable::DestroyLocked(HMENU handle, int depth) {
    const std::optional<Menu> menu = menus_.Remove(handle);
    if (!menu || depth >= kMaxMenuNesting) {
        return;
    }
    for (const MenuItem& item : menu->items) {
        if (item.subMenu) {
            DestroyLocked(item.subMenu, depth + 1);
        }
    }
}

}  // namespace platform::user
