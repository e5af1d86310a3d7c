// The common controls: list view, tree view, tab control and image lists, with the
// Win32 SDK's names, values and layouts. Their constants are in commctrl.rh, which
// resource scripts read too.
#pragma once

#include "commctrl.rh"

#ifndef RC_INVOKED
#include "windows.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct tagINITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

#ifdef __cplusplus
}
#endif
#endif  // RC_INVOKED
