#include "user/menu/menu_table.h"

#include <cstdint>

namespace platform::user {

namespace {

// Sub-menus nest at most this deep; deeper chains (or a menu appended into itself) are
// not followed when destroying, so a careless caller leaks instead of recursing forever.
constexpr int kMaxNesting = 16;

std::uintptr_t Key(HMENU handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

}  // namespace

MenuTable& MenuTable::Instance() {
    static MenuTable* table = new MenuTable();
    return *table;
}

HMENU MenuTable::Create() {
    std::lock_guard lock(mutex_);
    return reinterpret_cast<HMENU>(menus_.Add(std::make_unique<Menu>()));
}

bool MenuTable::Modify(HMENU handle, const std::function<void(Menu&)>& change) {
    std::lock_guard lock(mutex_);
    Menu* menu = menus_.Find(Key(handle));
    if (!menu) {
        return false;
    }
    change(*menu);
    return true;
}

std::optional<Menu> MenuTable::Copy(HMENU handle) {
    std::lock_guard lock(mutex_);
    const Menu* menu = menus_.Find(Key(handle));
    return menu ? std::optional(*menu) : std::nullopt;
}

bool MenuTable::Destroy(HMENU handle) {
    std::lock_guard lock(mutex_);
    if (!menus_.Find(Key(handle))) {
        return false;
    }
    DestroyLocked(handle, 0);
    return true;
}

void MenuTable::DestroyLocked(HMENU handle, int depth) {
    const std::unique_ptr<Menu> menu = menus_.Remove(Key(handle));
    if (!menu || depth >= kMaxNesting) {
        return;
    }
    for (const MenuItem& item : menu->items) {
        if (item.subMenu) {
            DestroyLocked(item.subMenu, depth + 1);
        }
    }
}

}  // namespace platform::user
