// Where a template's bytes come from: a dialog resource of a module, or a pointer the
// caller hands over. A pointer into a module's resources is bounded by its resource; a
// template the program built in memory carries no size, so, as on Windows, it is read
// as far as its own fields say, up to a limit no real template reaches.
#pragma once

#include <windows.h>
#include <winuser.h>

#include <optional>

#include "user/dialog/dialog_template.h"

namespace platform::user {

// nullopt with ERROR_RESOURCE_* when there is no such resource, ERROR_INVALID_DATA
// when it is malformed.
std::optional<DialogTemplate> LoadDialogTemplate(HINSTANCE instance, LPCWSTR name);
// nullopt with ERROR_INVALID_PARAMETER for null, ERROR_INVALID_DATA when malformed.
std::optional<DialogTemplate> ReadDialogTemplate(LPCDLGTEMPLATEW dialogTemplate);

}  // namespace platform::user
