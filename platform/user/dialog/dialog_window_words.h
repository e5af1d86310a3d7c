// The words a dialog window keeps in its extra bytes (DWLP_MSGRESULT, DWLP_DLGPROC,
// DWLP_USER), read and written for the dialog manager without touching the thread's last
// error, which DefDlgProcW must leave as the dialog procedure set it. A window whose class
// has too few extra bytes reads as 0 and ignores writes.
#pragma once

#include <windows.h>

namespace platform::user {

LONG_PTR ReadDialogWord(HWND dialog, int offset);
void WriteDialogWord(HWND dialog, int offset, LONG_PTR value);

}  // namespace platform::user
