// The handheld's fixed metrics: a 240 x 320 screen, one-pixel borders, 13-pixel scroll
// bars and the 26-pixel navigation and menu bars of the Pocket PC shell.
#include <windows.h>
#include <winuser.h>

#include "user/screen_geometry.h"

extern "C" int WINAPI GetSystemMetrics(int nIndex) {
    using platform::user::kNavigationBarHeight;
    switch (nIndex) {
        case SM_CXSCREEN:
        case SM_CXFULLSCREEN:
            return platform::user::kScreenWidth;
        case SM_CYSCREEN:
            return platform::user::kScreenHeight;
        case SM_CYFULLSCREEN:
            return platform::user::kScreenHeight - kNavigationBarHeight;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL:
        case SM_CYVTHUMB:
        case SM_CXHTHUMB:
            return 13;
        case SM_CYCAPTION:
        case SM_CYMENU:
            return kNavigationBarHeight;
        case SM_CXBORDER:
        case SM_CYBORDER:
            return 1;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return 2;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
            return 3;
        case SM_CXICON:
        case SM_CYICON:
            return 32;
        case SM_CXSMICON:
        case SM_CYSMICON:
            return 16;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
            return 4;
        default:
            return 0;
    }
}

extern "C" BOOL WINAPI SystemParametersInfoW(UINT uiAction, UINT, PVOID pvParam, UINT) {
    if (uiAction == SPI_GETWORKAREA && pvParam) {
        *static_cast<RECT*>(pvParam) = platform::user::kWorkArea;
        return TRUE;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}
