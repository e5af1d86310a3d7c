// DefDlgProcW: the window procedure of dialogs. It hands each message to the dialog
// procedure first; what that leaves (returns FALSE for) gets the dialog manager's default
// handling, and the rest DefWindowProcW's.
#include <windows.h>
#include <wingdi.h>
#include <winuser.h>

#include "user/dialog/dialog_focus.h"
#include "user/dialog/dialog_registry.h"
#include "user/dialog/dialog_window_words.h"

using platform::user::DialogRegistry;

namespace {

// Messages whose answer is the dialog procedure's return value itself; for all others a
// dialog procedure that handled the message puts its answer in DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    return message == WM_INITDIALOG ||
           (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

LRESULT EraseDialogBackground(HWND dialog, HDC dc) {
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
        dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dialog)));
    if (!brush) {
        return 0;
    }
    RECT client{};
    GetClientRect(dialog, &client);
    FillRect(dc, &client, brush);
    return 1;
}

LRESULT DefaultId(HWND dialog) {
    const auto state = DialogRegistry::Instance().Find(dialog);
    return state && state->defaultId ? MAKELONG(state->defaultId, DC_HASDEFID) : 0;
}

LRESULT SetDefaultId(HWND dialog, int id) {
    const auto state = DialogRegistry::Instance().Find(dialog);
    if (!state) {
        return FALSE;
    }
    state->defaultId = id;
    const HWND focus = GetFocus();
    platform::user::ShowDefaultButton(dialog, IsChild(dialog, focus) ? focus : nullptr);
    return TRUE;
}

// wParam is the control when lParam's low word is nonzero; otherwise nonzero wParam
// means the previous tab stop and zero the next one.
LRESULT NextControl(HWND dialog, WPARAM wParam, LPARAM lParam) {
    HWND target = nullptr;
    if (LOWORD(lParam)) {
        target = reinterpret_cast<HWND>(wParam);
    } else {
        HWND focus = GetFocus();
        if (!IsChild(dialog, focus)) {
            focus = nullptr;
        }
        target = GetNextDlgTabItem(dialog, focus, wParam != 0);
    }
    platform::user::SetDialogFocus(dialog, target);
    return 0;
}

// Closing a dialog is cancelling it, unless its Cancel button is disabled.
void Close(HWND dialog) {
    const HWND cancel = GetDlgItem(dialog, IDCANCEL);
    if (!cancel || IsWindowEnabled(cancel)) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(cancel));
    }
}

void Destroyed(HWND dialog) {
    const auto state = DialogRegistry::Instance().Remove(dialog);
    if (!state) {
        return;
    }
    if (state->disabledOwner) {
        EnableWindow(state->disabledOwner, TRUE);
    }
    if (state->font) {
        DeleteObject(state->font);
    }
}

LRESULT DefaultDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    using platform::user::RestoreDialogFocus;
    using platform::user::SaveDialogFocus;
    switch (message) {
        case WM_ERASEBKGND:
            return EraseDialogBackground(dialog, reinterpret_cast<HDC>(wParam));
        case WM_GETFONT: {
            const auto state = DialogRegistry::Instance().Find(dialog);
            return reinterpret_cast<LRESULT>(state ? state->font : nullptr);
        }
        case DM_GETDEFID:
            return DefaultId(dialog);
        case DM_SETDEFID:
            return SetDefaultId(dialog, static_cast<int>(wParam));
        case WM_NEXTDLGCTL:
            return NextControl(dialog, wParam, lParam);
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                SaveDialogFocus(dialog);
            } else {
                RestoreDialogFocus(dialog);
            }
            return 0;
        case WM_SETFOCUS:
            RestoreDialogFocus(dialog);
            return 0;
        case WM_SHOWWINDOW:
            if (!wParam) {
                SaveDialogFocus(dialog);
            }
            return DefWindowProcW(dialog, message, wParam, lParam);
        case WM_CLOSE:
            Close(dialog);
            return 0;
        case WM_NCDESTROY:
            Destroyed(dialog);
            return DefWindowProcW(dialog, message, wParam, lParam);
        default:
            return DefWindowProcW(dialog, message, wParam, lParam);
    }
}

}  // namespace

extern "C" LRESULT WINAPI DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
    using platform::user::ReadDialogWord;
    using platform::user::WriteDialogWord;
    WriteDialogWord(hDlg, DWLP_MSGRESULT, 0);
    const auto procedure = reinterpret_cast<DLGPROC>(ReadDialogWord(hDlg, DWLP_DLGPROC));
    const INT_PTR handled = procedure ? procedure(hDlg, Msg, wParam, lParam) : FALSE;
    if (handled) {
        return AnswersDirectly(Msg) ? handled : ReadDialogWord(hDlg, DWLP_MSGRESULT);
    }
    // A procedure that destroyed its dialog leaves nothing to do (WM_NCDESTROY excepted,
    // which arrives as the window goes and still has its state to free).
    if (!IsWindow(hDlg) && Msg != WM_NCDESTROY) {
        return 0;
    }
    return DefaultDialogMessage(hDlg, Msg, wParam, lParam);
}
