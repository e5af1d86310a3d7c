// DialogBoxParamW, DialogBoxIndirectParamW and EndDialog: modal dialogs. The dialog runs
// its own loop until EndDialog; the loop keeps serving sent messages and timers (other
// windows of the thread go on working) while the owner, disabled, takes no input.
#include <windows.h>
#include <winuser.h>

#include <utility>

#include "user/dialog/dialog_builder.h"
#include "user/dialog/dialog_registry.h"
#include "user/dialog/dialog_template_source.h"
#include "user/dialog/modal_dialog.h"
#include "user/dialog/modal_loop.h"

using platform::user::DialogRegistry;

namespace {

// A child's top-level window owns the dialog.
HWND OwnerFor(HWND window) {
    while (window && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) {
        window = GetParent(window);
    }
    return window;
}

}  // namespace

INT_PTR platform::user::RunModalDialog(const std::optional<DialogTemplate>& dialogTemplate,
                                       HINSTANCE instance, HWND owner, DLGPROC procedure,
                                       LPARAM initParam) {
    if (!dialogTemplate) {
        return -1;
    }
    auto modalTemplate = *dialogTemplate;
    modalTemplate.style &= ~WS_CHILD;
    const HWND dialog = platform::user::BuildDialog(
        modalTemplate, {instance, OwnerFor(owner), procedure, initParam, true});
    if (!dialog) {
        return -1;
    }
    // Kept past WM_NCDESTROY, so the result survives a dialog destroyed in the loop.
    const auto state = DialogRegistry::Instance().Find(dialog);
    if (!state->ended && !IsWindowVisible(dialog)) {
        ShowWindow(dialog, SW_SHOWNORMAL);
    }
    MSG msg{};
    while (!state->ended && IsWindow(dialog)) {
        if (!platform::user::NextModalMessage(msg)) {
            break;
        }
        if (!IsDialogMessageW(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (IsWindow(dialog)) {
        DestroyWindow(dialog);
    }
    return state->result;
}

extern "C" INT_PTR WINAPI DialogBoxParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName,
                                          HWND hWndParent, DLGPROC lpDialogFunc,
                                          LPARAM dwInitParam) {
    return platform::user::RunModalDialog(
        platform::user::LoadDialogTemplate(hInstance, lpTemplateName), hInstance, hWndParent,
        lpDialogFunc, dwInitParam);
}

extern "C" INT_PTR WINAPI DialogBoxIndirectParamW(HINSTANCE hInstance,
                                                  LPCDLGTEMPLATEW hDialogTemplate, HWND hWndParent,
                                                  DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    return platform::user::RunModalDialog(platform::user::ReadDialogTemplate(hDialogTemplate),
                                          hInstance, hWndParent, lpDialogFunc, dwInitParam);
}

// The owner comes back before the dialog hides, so that it is the window activated in its
// place; the posted WM_NULL wakes a modal loop waiting for its next message.
extern "C" BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
    const auto state = DialogRegistry::Instance().Find(hDlg);
    if (!state) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    state->result = nResult;
    state->ended = true;
    if (const HWND owner = std::exchange(state->disabledOwner, nullptr)) {
        EnableWindow(owner, TRUE);
    }
    SetWindowPos(hDlg, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageW(hDlg, WM_NULL, 0, 0);
    return TRUE;
}
