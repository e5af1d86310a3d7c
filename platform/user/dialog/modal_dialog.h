// A modal dialog from a parsed template: the owner disabled, the dialog's own loop until
// EndDialog, and EndDialog's result (-1 when the dialog could not be made).
#pragma once

#include <windows.h>

#include <optional>

#include "user/dialog/dialog_template.h"

namespace platform::user {

INT_PTR RunModalDialog(const std::optional<DialogTemplate>& dialogTemplate, HINSTANCE instance,
                       HWND owner, DLGPROC procedure, LPARAM initParam);

}  // namespace platform::user
