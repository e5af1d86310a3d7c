#include <commctrl.h>

#include "controls/control_classes.h"

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    if (init == nullptr || init->dwSize != sizeof(INITCOMMONCONTROLSEX)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    platform::controls::RegisterCommonControlClasses();
    return TRUE;
}
