// The window class of dialogs whose template names none: DefDlgProcW as its procedure and
// DLGWINDOWEXTRA extra bytes, under the name Windows gives it.
#pragma once

#include <windows.h>

namespace platform::user {

// Registers the class on first use; returns its name.
LPCWSTR DialogClassName();

}  // namespace platform::user
