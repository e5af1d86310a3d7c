// Makes a dialog from a parsed template, in Windows' order: the dialog window (its
// WS_VISIBLE held back), its procedure, WM_SETFONT to it, each control followed by its
// WM_SETFONT, WM_INITDIALOG, the first focus, and last the showing.
#pragma once

#include <windows.h>

#include "user/dialog/dialog_template.h"

namespace platform::user {

struct DialogRequest {
    HINSTANCE instance = nullptr;
    // A child dialog's parent; a pop-up's owner (its top-level window is used).
    HWND parent = nullptr;
    DLGPROC procedure = nullptr;
    LPARAM initParam = 0;
    // A modal dialog disables its owner before WM_INITDIALOG and is shown by its loop.
    bool modal = false;
};

// The dialog's window, or null with the last error set when the window or a control could
// not be made (unless the template says DS_NOFAILCREATE) or the dialog destroyed itself
// during WM_INITDIALOG.
HWND BuildDialog(const DialogTemplate& dialogTemplate, const DialogRequest& request);

}  // namespace platform::user
