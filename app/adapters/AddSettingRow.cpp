#include "adapters/AddSettingRow.h"

#include <commctrl.h>

#include "common/FieldText.h"

void AddSettingRow(HWND list, LPCWSTR label, LPCWSTR value, int image) {
    // Only a host or domain name gets near the limit, and the list's columns show far
    // fewer characters than it holds anyway, so the end is simply cut off: the start of
    // a name is the part that identifies it. The cut never splits a surrogate pair, so
    // the list never holds half a character.
    WCHAR labelText[kSettingTextLength] = {};
    WCHAR valueText[kSettingTextLength] = {};
    CopyIntoField(label, labelText, kSettingTextLength);
    CopyIntoField(value, valueText, kSettingTextLength);

    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    item.iSubItem = 0;
    item.pszText = labelText;
    item.iImage = image;
    const LRESULT row = SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (row < 0) {
        return;
    }
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(row);
    item.iSubItem = 1;
    item.pszText = valueText;
    SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}
