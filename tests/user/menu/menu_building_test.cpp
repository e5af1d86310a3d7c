// Menus built by hand and loaded from a compiled resource, item state changes, and
// handles that no longer name a menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "user/menu/menu_resource.h"

namespace tessalink::test {
namespace {

// The menu's item ids in order, a pop-up's items in brackets in its place.
std::string Shape(HMENU menu) {
    std::string shape;
    for (int index = 0; index < GetMenuItemCount(menu); ++index) {
        const HMENU sub = GetSubMenu(menu, index);
        shape += (index ? " " : "") +
                 (sub ? "(" + Shape(sub) + ")" : std::to_string(GetMenuItemID(menu, index)));
    }
    return shape;
}

TEST(MenuBuildingTest, LoadMenuBuildsTheResourcesNestedPopups) {
    const HMENU bar = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128));
    EXPECT_EQ(Shape(bar), "(57665) (100 110 0 120 (130))");
    const HMENU action = GetSubMenu(bar, 1);
    const HMENU more = GetSubMenu(action, 4);
    EXPECT_EQ(GetMenuItemID(action, 4), static_cast<UINT>(-1)) << "a pop-up has no id";

    // The state bits came through: CheckMenuItem and EnableMenuItem answer the old ones.
    EXPECT_EQ(CheckMenuItem(action, 100, MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(action, 110, MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(EnableMenuItem(action, 120, MF_ENABLED), static_cast<BOOL>(MF_GRAYED));
    EXPECT_EQ(CheckMenuItem(action, 999, MF_CHECKED), static_cast<DWORD>(-1));
    EXPECT_EQ(CheckMenuItem(action, 1, MF_BYPOSITION | MF_UNCHECKED),
              static_cast<DWORD>(MF_CHECKED));

    // Destroying the bar destroys the pop-ups it holds.
    EXPECT_TRUE(DestroyMenu(bar));
    SetLastError(0);
    EXPECT_EQ(GetMenuItemCount(more), -1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
    EXPECT_EQ(GetMenuItemCount(action), -1);

    EXPECT_EQ(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(129)), nullptr);
}

TEST(MenuBuildingTest, EveryCutOfTheResourceIsRefused) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(128), RT_MENU);
    ASSERT_NE(resource, nullptr);
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    const DWORD size = SizeofResource(module, resource);
    ASSERT_TRUE(platform::user::ParseMenuResource(data, size));
    for (DWORD cut = 0; cut < size; ++cut) {
        // Copied, so that reading past the cut would be caught by the sanitizers.
        const std::vector<BYTE> prefix(data, data + cut);
        EXPECT_FALSE(platform::user::ParseMenuResource(prefix.data(), cut)) << cut;
    }
    const BYTE extended[] = {1, 0, 4, 0, 0, 0, 0, 0};
    EXPECT_FALSE(platform::user::ParseMenuResource(extended, sizeof extended));
}

TEST(MenuBuildingTest, StaleAndForgedHandlesFailCleanly) {
    const HMENU menu = CreatePopupMenu();
    EXPECT_TRUE(AppendMenuW(menu, MF_STRING, 1, u"One"));
    EXPECT_TRUE(AppendMenuW(menu, MF_SEPARATOR, 0, nullptr));
    EXPECT_EQ(GetMenuItemCount(menu), 2);
    // A menu cannot hold itself.
    EXPECT_FALSE(AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), u"Self"));
    EXPECT_TRUE(DestroyMenu(menu));

    // The slot may be reused, but the old handle never names the new menu.
    const HMENU reused = CreatePopupMenu();
    for (HMENU stale : {menu, reinterpret_cast<HMENU>(0x1234)}) {
        SetLastError(0);
        EXPECT_FALSE(AppendMenuW(stale, MF_STRING, 2, u"Two"));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
        EXPECT_FALSE(DestroyMenu(stale));
        EXPECT_EQ(CheckMenuItem(stale, 1, MF_CHECKED), static_cast<DWORD>(-1));
        EXPECT_FALSE(TrackPopupMenuEx(stale, TPM_RETURNCMD, 0, 0, GetDesktopWindow(), nullptr));
    }
    EXPECT_EQ(GetMenuItemCount(reused), 0);
    EXPECT_TRUE(DestroyMenu(reused));
}

}  // namespace
}  // namespace tessalink::test
