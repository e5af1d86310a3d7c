// One row of the adapter settings list: a label with its image, and a value.
#pragma once

#include <windows.h>

// The longest label or value a row holds, terminator included.
constexpr int kSettingTextLength = 50;

// Appends the row after the list's last one. A label or value that does not fit is cut
// (see the definition); a row the list refuses is left out.
void AddSettingRow(HWND list, LPCWSTR label, LPCWSTR value, int image);
