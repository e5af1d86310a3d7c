// Moving the focus inside a dialog as the dialog manager does: an edit control gets its
// whole text selected, the focused push button shows as the default one (else the
// dialog's default button does), and the dialog remembers the control so that it can give
// the focus back when it is activated again.
#pragma once

#include <windows.h>

namespace platform::user {

void SetDialogFocus(HWND dialog, HWND control);
// Remembers the focus if a control of the dialog holds it.
void SaveDialogFocus(HWND dialog);
// Gives the focus to the remembered control, or to the first tab stop when it is gone.
void RestoreDialogFocus(HWND dialog);
// Makes `button` (or, when it is not a push button, the dialog's default one) the push
// button drawn as the default, and every other default push button a plain one.
void ShowDefaultButton(HWND dialog, HWND focus);

}  // namespace platform::user
