// Tracks a pop-up menu modally, as TrackPopupMenuEx does: the menu's window takes the
// stylus capture and a nested message loop runs until the user chooses an item or
// dismisses the menu. The loop keeps dispatching everything else (sent messages,
// timers, paints, other windows' posted messages), but the keys and stylus input of the
// thread belong to the menu while it is open.
//
// FIXME: an MF_POPUP item shows but does not open its sub-menu (it cannot be chosen);
// cascading menus need a stack of pop-ups, and no pop-up menu of the program has one.
#pragma once

#include <windows.h>

#include "user/menu/menu.h"
#include "user/menu/menu_popup.h"

namespace platform::user {

class MenuTracker {
  public:
    MenuTracker(Menu menu, HWND owner) : popup_(std::move(menu)), owner_(owner) {}

    // The chosen command, or 0 when the menu was dismissed (a tap outside it, Escape,
    // the owner destroyed, the capture taken, or a quit request). Nothing is chosen
    // either when the menu's window cannot be made.
    UINT Run(POINT at, UINT flags, const RECT* exclude);

  private:
    void OnStylus(UINT message, POINT screen);
    void OnKeyDown(UINT key);
    void Finish(UINT command);

    MenuPopup popup_;
    HWND owner_ = nullptr;
    bool finished_ = false;
    UINT chosen_ = 0;
    // A lift only chooses after the stylus went down on the menu: the lift that ends the
    // tap which opened the menu must not pick whatever lies under it.
    bool pressedOnMenu_ = false;
};

}  // namespace platform::user
