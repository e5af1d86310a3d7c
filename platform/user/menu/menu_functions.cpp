// The menu facades: building menus (by hand or from a resource), changing their items'
// state, and TrackPopupMenuEx. A handle that names no menu fails with
// ERROR_INVALID_MENU_HANDLE.
#include <windows.h>
#include <winuser.h>

#include "user/menu/menu_resource.h"
#include "user/menu/menu_table.h"
#include "user/menu/menu_tracker.h"

using platform::user::Menu;
using platform::user::MenuItem;
using platform::user::MenuTable;
using platform::user::MenuTemplateItem;

namespace {

// The state bits AppendMenuW keeps; the others (MF_BYPOSITION, MF_APPEND, ...) say how
// to apply the call, not what the item is.
constexpr UINT kItemStateFlags = MF_SEPARATOR | MF_POPUP | MF_CHECKED | MF_GRAYED | MF_DISABLED;

bool ModifyOrFail(HMENU hMenu, const std::function<void(Menu&)>& change) {
    if (!MenuTable::Instance().Modify(hMenu, change)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return false;
    }
    return true;
}

// The item that `id` names: a command id, or with MF_BYPOSITION a position.
MenuItem* FindItem(Menu& menu, UINT id, UINT flags) {
    if (flags & MF_BYPOSITION) {
        return id < menu.items.size() ? &menu.items[id] : nullptr;
    }
    for (MenuItem& item : menu.items) {
        if (!item.IsSeparator() && !item.subMenu && item.command == id) {
            return &item;
        }
    }
    return nullptr;
}

// Changes `mask` bits of one item to `bits`; the item's previous bits under the mask, or
// -1 when the menu or the item does not exist.
DWORD ChangeItemState(HMENU hMenu, UINT id, UINT flags, UINT mask, UINT bits) {
    DWORD previous = static_cast<DWORD>(-1);
    ModifyOrFail(hMenu, [&](Menu& menu) {
        if (MenuItem* item = FindItem(menu, id, flags)) {
            previous = item->flags & mask;
            item->flags = (item->flags & ~mask) | (bits & mask);
        }
    });
    return previous;
}

HMENU BuildMenu(const std::vector<MenuTemplateItem>& items) {
    const HMENU handle = MenuTable::Instance().Create();
    Menu menu;
    for (const MenuTemplateItem& source : items) {
        MenuItem item{source.flags & kItemStateFlags, source.command, source.text, nullptr};
        if (source.flags & MF_POPUP) {
            item.subMenu = BuildMenu(source.children);
        }
        menu.items.push_back(std::move(item));
    }
    MenuTable::Instance().Modify(handle, [&](Menu& target) { target = std::move(menu); });
    return handle;
}

}  // namespace

extern "C" HMENU WINAPI CreateMenu(void) {
    return MenuTable::Instance().Create();
}

extern "C" HMENU WINAPI CreatePopupMenu(void) {
    return MenuTable::Instance().Create();
}

extern "C" BOOL WINAPI DestroyMenu(HMENU hMenu) {
    if (!MenuTable::Instance().Destroy(hMenu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    return TRUE;
}

extern "C" HMENU WINAPI LoadMenuW(HINSTANCE hInstance, LPCWSTR lpMenuName) {
    const HRSRC resource = FindResourceW(hInstance, lpMenuName, RT_MENU);
    if (!resource) {
        return nullptr;
    }
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(hInstance, resource)));
    const auto items = platform::user::ParseMenuResource(data, SizeofResource(hInstance, resource));
    if (!items) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return BuildMenu(*items);
}

extern "C" BOOL WINAPI AppendMenuW(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem,
                                   LPCWSTR lpNewItem) {
    MenuItem item;
    item.flags = uFlags & kItemStateFlags;
    if (uFlags & MF_POPUP) {
        const HMENU subMenu = reinterpret_cast<HMENU>(uIDNewItem);
        if (subMenu == hMenu || !MenuTable::Instance().Copy(subMenu)) {
            SetLastError(ERROR_INVALID_MENU_HANDLE);
            return FALSE;
        }
        item.subMenu = subMenu;
    } else if (!(uFlags & MF_SEPARATOR)) {
        item.command = static_cast<UINT>(uIDNewItem);
    }
    if (!(uFlags & MF_SEPARATOR) && lpNewItem) {
        item.text = lpNewItem;
    }
    return ModifyOrFail(hMenu, [&](Menu& menu) { menu.items.push_back(std::move(item)); });
}

extern "C" DWORD WINAPI CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
    return ChangeItemState(hMenu, uIDCheckItem, uCheck, MF_CHECKED, uCheck);
}

extern "C" BOOL WINAPI EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
    // The previous state, or -1: Win32 returns the DWORD result through a BOOL.
    return static_cast<BOOL>(
        ChangeItemState(hMenu, uIDEnableItem, uEnable, MF_GRAYED | MF_DISABLED, uEnable));
}

extern "C" HMENU WINAPI GetSubMenu(HMENU hMenu, int nPos) {
    HMENU subMenu = nullptr;
    ModifyOrFail(hMenu, [&](Menu& menu) {
        if (nPos >= 0 && static_cast<std::size_t>(nPos) < menu.items.size()) {
            subMenu = menu.items[static_cast<std::size_t>(nPos)].subMenu;
        }
    });
    return subMenu;
}

extern "C" int WINAPI GetMenuItemCount(HMENU hMenu) {
    const auto menu = MenuTable::Instance().Copy(hMenu);
    if (!menu) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return -1;
    }
    return static_cast<int>(menu->items.size());
}

extern "C" UINT WINAPI GetMenuItemID(HMENU hMenu, int nPos) {
    UINT id = static_cast<UINT>(-1);
    ModifyOrFail(hMenu, [&](Menu& menu) {
        if (nPos >= 0 && static_cast<std::size_t>(nPos) < menu.items.size() &&
            !menu.items[static_cast<std::size_t>(nPos)].subMenu) {
            id = menu.items[static_cast<std::size_t>(nPos)].command;
        }
    });
    return id;
}

extern "C" BOOL WINAPI TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hwnd,
                                        LPTPMPARAMS lptpm) {
    if (lptpm && lptpm->cbSize != sizeof(TPMPARAMS)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (!MenuTable::Instance().Copy(hMenu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    if (!(uFlags & TPM_NONOTIFY)) {
        // The owner may still change the items (check marks, graying) before they show.
        SendMessageW(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), 0);
    }
    auto menu = MenuTable::Instance().Copy(hMenu);
    if (!menu) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    platform::user::MenuTracker tracker(std::move(*menu), hwnd);
    const UINT command = tracker.Run(POINT{x, y}, uFlags, lptpm ? &lptpm->rcExclude : nullptr);
    if (uFlags & TPM_RETURNCMD) {
        return static_cast<BOOL>(command);
    }
    if (command != 0) {
        PostMessageW(hwnd, WM_COMMAND, command, 0);
    }
    return TRUE;
}
