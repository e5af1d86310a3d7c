// What the static, button and edit controls ask of and tell their parent window.
#pragma once

#include <windows.h>

namespace platform::controls {

// WM_COMMAND with the control's id and `code`, sent to the parent. A window without a
// parent (a control made top-level) tells nobody.
void NotifyParent(HWND control, WORD code);

// Sends `message` (one of the WM_CTLCOLOR... messages) to the parent so it can set the
// device context's colours and hand back a brush for the background. A parent that
// answers with no brush, and a control without a parent, get the system's default
// colours, as DefWindowProcW gives them.
HBRUSH ParentBrush(HWND control, UINT message, HDC dc);

// The font the parent gave with WM_SETFONT, or the dialog font when it gave none.
HFONT FontOrDefault(HFONT font);

// Selects a font into a device context for the object's lifetime.
class FontSelection {
  public:
    FontSelection(HDC dc, HFONT font) : dc_(dc), previous_(SelectObject(dc, FontOrDefault(font))) {}
    ~FontSelection() { SelectObject(dc_, previous_); }
    FontSelection(const FontSelection&) = delete;
    FontSelection& operator=(const FontSelection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace platform::controls
