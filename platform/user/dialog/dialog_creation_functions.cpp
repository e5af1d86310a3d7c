// CreateDialogParamW and CreateDialogIndirectParamW: modeless dialogs, which the caller's
// own message loop serves (through IsDialogMessageW) and DestroyWindow ends.
#include <windows.h>
#include <winuser.h>

#include "user/dialog/dialog_builder.h"
#include "user/dialog/dialog_template_source.h"

namespace {

HWND CreateModeless(const std::optional<platform::user::DialogTemplate>& dialogTemplate,
                    HINSTANCE instance, HWND parent, DLGPROC procedure, LPARAM initParam) {
    if (!dialogTemplate) {
        return nullptr;
    }
    return platform::user::BuildDialog(*dialogTemplate,
                                       {instance, parent, procedure, initParam, false});
}

}  // namespace

extern "C" HWND WINAPI CreateDialogParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName,
                                          HWND hWndParent, DLGPROC lpDialogFunc,
                                          LPARAM dwInitParam) {
    return CreateModeless(platform::user::LoadDialogTemplate(hInstance, lpTemplateName), hInstance,
                          hWndParent, lpDialogFunc, dwInitParam);
}

extern "C" HWND WINAPI CreateDialogIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW lpTemplate,
                                                  HWND hWndParent, DLGPROC lpDialogFunc,
                                                  LPARAM dwInitParam) {
    return CreateModeless(platform::user::ReadDialogTemplate(lpTemplate), hInstance, hWndParent,
                          lpDialogFunc, dwInitParam);
}
