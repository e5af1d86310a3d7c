// A menu's contents: what AppendMenuW and LoadMenuW build and what a pop-up menu shows.
#pragma once

#include <windows.h>
#include <winuser.h>

#include <string>
#include <vector>

namespace platform::user {

// Sub-menus nest at most this deep: a resource that nests deeper is refused, and deeper
// chains (or a menu appended into itself) are not followed when destroying, so a careless
// caller leaks instead of recursing forever.
constexpr int kMaxMenuNesting = 16;

struct MenuItem {
    // The state bits the item was given: MF_SEPARATOR, MF_POPUP, MF_CHECKED, MF_GRAYED,
    // MF_DISABLED.
    UINT flags = 0;
    // The command id it reports; 0 for separators and sub-menus.
    UINT command = 0;
    std::u16string text;
    // The menu that opens from an MF_POPUP item, owned by this menu.
    HMENU subMenu = nullptr;

    bool IsSeparator() const { return flags & MF_SEPARATOR; }
    bool IsChecked() const { return flags & MF_CHECKED; }
    bool IsEnabled() const { return !(flags & (MF_GRAYED | MF_DISABLED)); }
    // Whether tapping it or pressing Enter on it ends the menu with its command.
    bool IsChoosable() const { return !IsSeparator() && IsEnabled() && !(flags & MF_POPUP); }
};

struct Menu {
    std::vector<MenuItem> items;
};

}  // namespace platform::user
