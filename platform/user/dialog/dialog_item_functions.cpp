// The dialog item functions: shorthands that find a control by id and send it a message,
// and the conversions between dialog units and pixels.
#include <windows.h>
#include <winuser.h>

#include "user/dialog/dialog_registry.h"
#include "user/dialog/dialog_units.h"

extern "C" BOOL WINAPI SetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPCWSTR lpString) {
    const HWND control = GetDlgItem(hDlg, nIDDlgItem);
    return control ? SetWindowTextW(control, lpString) : FALSE;
}

extern "C" UINT WINAPI GetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPWSTR lpString, int cchMax) {
    const HWND control = GetDlgItem(hDlg, nIDDlgItem);
    if (!control) {
        if (lpString && cchMax > 0) {
            lpString[0] = u'\0';
        }
        return 0;
    }
    return static_cast<UINT>(GetWindowTextW(control, lpString, cchMax));
}

extern "C" LRESULT WINAPI SendDlgItemMessageW(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam,
                                              LPARAM lParam) {
    const HWND control = GetDlgItem(hDlg, nIDDlgItem);
    return control ? SendMessageW(control, Msg, wParam, lParam) : 0;
}

extern "C" BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
    const HWND button = GetDlgItem(hDlg, nIDButton);
    if (!button) {
        return FALSE;
    }
    SendMessageW(button, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

extern "C" UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton) {
    return static_cast<UINT>(SendDlgItemMessageW(hDlg, nIDButton, BM_GETCHECK, 0, 0));
}

extern "C" BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect) {
    const auto state = platform::user::DialogRegistry::Instance().Find(hDlg);
    if (!state || !lpRect) {
        SetLastError(state ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *lpRect = platform::user::DialogUnitsToPixels(state->baseUnits, *lpRect);
    return TRUE;
}

// The system font's units, which dialogs without a font of their own use.
extern "C" LONG WINAPI GetDialogBaseUnits(void) {
    static const platform::user::DialogBaseUnits units = platform::user::MeasureBaseUnits(nullptr);
    return MAKELONG(units.x, units.y);
}
