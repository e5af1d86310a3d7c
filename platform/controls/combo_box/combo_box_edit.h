// The editable combo box's edit child is an ordinary "Edit" window, subclassed so that
// the keys that work the list reach the combo box: Up, Down, Page Up, Page Down and F4
// always, Enter and Escape while the list is dropped.
#pragma once

#include <windows.h>

namespace platform::controls {

void SubclassComboEdit(HWND edit);

}  // namespace platform::controls
