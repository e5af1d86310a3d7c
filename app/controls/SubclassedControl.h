// A control made by a dialog template and taken over by subclassing: its window
// procedure is replaced by one that offers each message to the object's map first and
// hands whatever the map leaves to the procedure it replaced, so the control keeps the
// rest of its class's behaviour (focus, keys, text, style).
#pragma once

#include <windows.h>

#include "framework/MessageTarget.h"

class SubclassedControl : public MessageTarget {
  public:
    SubclassedControl() : MessageTarget(GWLP_USERDATA) {}
    // Gives a window that outlives its control object its own procedure back.
    ~SubclassedControl() override;

    // Takes over `control`'s window procedure. Fails, changing nothing, when the window
    // is not valid, when its user data is already taken (by another control object, for
    // one), when this object holds a window already, or when the procedure cannot be
    // replaced; the window then stays what its class makes it.
    bool AttachTo(HWND control);

  protected:
    // Tells the parent window of a tap or a change: WM_COMMAND, sent, with the control's
    // id and `code`, and the control's window.
    void NotifyParent(WORD code) const;

    LRESULT Answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool handled,
                   LRESULT result) override;

  private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC previous_ = nullptr;
};
