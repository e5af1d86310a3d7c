// The menu bar's RCDATA layout: a word naming the menu its buttons' pop-ups come from,
// a word counting the buttons, then seven words for each button: its image (an index into
// the bar's bitmap strip, or I_IMAGENONE), its command, its TBSTATE_ state, its TBSTYLE_
// style, the id of its text in the string table (0 for none), a second command word the
// bar does not need, and the index of its pop-up in that menu (NOMENU for none).
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::shell {

struct MenuBarButton {
    // Index into the bitmap strip; nullopt for a text button.
    std::optional<int> image;
    WORD command = 0;
    BYTE state = 0;
    BYTE style = 0;
    UINT textId = 0;
    WORD subMenu = 0;
};

struct MenuBarLayout {
    WORD menuId = 0;
    std::vector<MenuBarButton> buttons;
};

// The layout in `data`, or nullopt with `error` saying what is wrong (too short for its
// button count, a state or style that does not fit a byte).
std::optional<MenuBarLayout> ParseMenuBarLayout(std::span<const std::uint8_t> data,
                                                std::string& error);

}  // namespace platform::shell
