// A static text control that looks and acts like a hyperlink: its own window text in
// blue, italic and underlined on white (light grey while disabled), telling its parent
// of every tap with WM_COMMAND code 0 and the static's id.
//
// There is no hit test on the lift: the press captures the stylus, so a tap that slides
// off the link before it lifts still counts. The link is small and a stylus wobbles; a
// missed refresh costs the user more than an unwanted one.
#pragma once

#include <windows.h>

#include "controls/SubclassedControl.h"
#include "framework/MessageMap.h"

class LinkLabel : public SubclassedControl {
  public:
    static constexpr WORD kTapped = 0;

    BEGIN_MSG_MAP()
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
    MESSAGE_HANDLER(WM_LBUTTONUP, OnLButtonUp)
    END_MSG_MAP()

  private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
};
