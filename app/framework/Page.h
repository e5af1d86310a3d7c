// The contract between the main frame and each of its pages: a page is a modeless child
// dialog made from its own template, and while it is the visible page it filters the
// queued keyboard and mouse input for its own dialog navigation.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"

class Page : public Dialog {
  public:
    using Dialog::Dialog;

    // Nonzero when the message was consumed: by the focused control's own handling of
    // WM_FORWARDMSG, or by the page's dialog navigation (Tab, arrows, Enter, Escape).
    BOOL PreTranslateMessage(MSG* message);

  private:
    // The page's direct child that holds `descendant`.
    HWND ChildHolding(HWND descendant) const;
};
