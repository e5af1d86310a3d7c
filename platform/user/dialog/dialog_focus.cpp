#include "user/dialog/dialog_focus.h"

#include <winuser.h>

#include "user/dialog/dialog_registry.h"

namespace platform::user {

namespace {

LRESULT DialogCode(HWND control) {
    return control ? SendMessageW(control, WM_GETDLGCODE, 0, 0) : 0;
}

bool IsPushButton(LRESULT code) {
    return code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
}

}  // namespace

void ShowDefaultButton(HWND dialog, HWND focus) {
    const auto state = DialogRegistry::Instance().Find(dialog);
    HWND wanted = focus;
    if (!IsPushButton(DialogCode(focus))) {
        wanted = state && state->defaultId ? GetDlgItem(dialog, state->defaultId) : nullptr;
    }
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child != wanted && (DialogCode(child) & DLGC_DEFPUSHBUTTON)) {
            SendMessageW(child, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        }
    }
    if (DialogCode(wanted) & DLGC_UNDEFPUSHBUTTON) {
        SendMessageW(wanted, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
}

void SetDialogFocus(HWND dialog, HWND control) {
    if (!control) {
        return;
    }
    if (DialogCode(control) & DLGC_HASSETSEL) {
        SendMessageW(control, EM_SETSEL, 0, -1);
    }
    if (const auto state = DialogRegistry::Instance().Find(dialog)) {
        // Remembered even when the focus cannot move yet (a modal dialog not yet shown):
        // activation hands it over.
        state->savedFocus = control;
    }
    SetFocus(control);
    ShowDefaultButton(dialog, control);
}

void SaveDialogFocus(HWND dialog) {
    const HWND focus = GetFocus();
    const auto state = DialogRegistry::Instance().Find(dialog);
    if (state && focus && IsChild(dialog, focus)) {
        state->savedFocus = focus;
    }
}

void RestoreDialogFocus(HWND dialog) {
    const auto state = DialogRegistry::Instance().Find(dialog);
    HWND control = state ? state->savedFocus : nullptr;
    if (!control || !IsChild(dialog, control)) {
        control = GetNextDlgTabItem(dialog, nullptr, FALSE);
    }
    if (control) {
        SetFocus(control);
    }
}

}  // namespace platform::user
