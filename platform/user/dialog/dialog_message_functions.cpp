// IsDialogMessageW: the keyboard interface of a dialog. A control says with
// WM_GETDLGCODE which keys it wants for itself; the dialog takes the others: Tab and
// Shift+Tab move between tab stops, the arrow keys within a group, Enter presses the
// focused or default push button (else IDOK), Escape sends IDCANCEL. Every other message
// for the dialog or its controls is translated and dispatched here, so the caller's loop
// must not dispatch it again.
#include <windows.h>
#include <winuser.h>

namespace {

bool ShiftHeld() {
    return GetKeyState(VK_SHIFT) < 0;
}

void Dispatch(const MSG& msg) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void SendCommand(HWND dialog, int id, HWND control) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

// Enter: the focused push button, else the default button if it is enabled, else IDOK.
void PressEnter(HWND dialog) {
    const HWND focus = GetFocus();
    if (IsChild(dialog, focus) &&
        (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
        SendCommand(dialog, GetDlgCtrlID(focus), focus);
        return;
    }
    const auto defaultId = static_cast<DWORD>(SendMessageW(dialog, DM_GETDEFID, 0, 0));
    if (HIWORD(defaultId) == DC_HASDEFID) {
        const HWND button = GetDlgItem(dialog, LOWORD(defaultId));
        if (!button || IsWindowEnabled(button)) {
            SendCommand(dialog, LOWORD(defaultId), button);
        }
        return;
    }
    SendCommand(dialog, IDOK, GetDlgItem(dialog, IDOK));
}

// True when the dialog handled the key itself.
bool HandleKey(HWND dialog, const MSG& msg, LRESULT code) {
    switch (msg.wParam) {
        case VK_TAB:
            if (code & DLGC_WANTTAB) {
                return false;
            }
            SendMessageW(dialog, WM_NEXTDLGCTL, ShiftHeld() ? 1 : 0, 0);
            return true;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: {
            if (code & DLGC_WANTARROWS) {
                return false;
            }
            const bool backwards = msg.wParam == VK_LEFT || msg.wParam == VK_UP;
            const HWND next = GetNextDlgGroupItem(dialog, GetFocus(), backwards);
            SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
            return true;
        }
        case VK_ESCAPE:
            SendCommand(dialog, IDCANCEL, GetDlgItem(dialog, IDCANCEL));
            return true;
        case VK_RETURN:
            if (code & DLGC_WANTALLKEYS) {
                return false;
            }
            PressEnter(dialog);
            return true;
        default:
            return false;
    }
}

}  // namespace

extern "C" BOOL WINAPI IsDialogMessageW(HWND hDlg, LPMSG lpMsg) {
    if (!lpMsg || !IsWindow(hDlg) || (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd))) {
        return FALSE;
    }
    const MSG& msg = *lpMsg;
    if (msg.message == WM_KEYDOWN || msg.message == WM_CHAR) {
        const LRESULT code =
            SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(lpMsg));
        if (code & DLGC_WANTMESSAGE) {
            Dispatch(msg);
            return TRUE;
        }
        if (msg.message == WM_KEYDOWN && HandleKey(hDlg, msg, code)) {
            return TRUE;
        }
        // The characters of keys the dialog took are not typed into the control.
        const bool dialogCharacter =
            msg.wParam == u'\t' || msg.wParam == u'\r' || msg.wParam == 0x1B;
        if (msg.message == WM_CHAR && dialogCharacter && !(code & DLGC_WANTCHARS)) {
            return TRUE;
        }
    }
    Dispatch(msg);
    return TRUE;
}
