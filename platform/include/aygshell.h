// The Pocket PC shell: the menu bar, full-screen dialogs and the input panel, with the
// SDK's names, values and layouts. Its constants are in aygshell.rh, which resource
// scripts read too.
#pragma once

#include "aygshell.rh"

#ifndef RC_INVOKED
#include "windows.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct tagSHMENUBARINFO {
    DWORD cbSize;
    HWND hwndParent;
    DWORD dwFlags;
    UINT nToolBarId;
    HINSTANCE hInstRes;
    int nBmpId;
    int cBmpImages;
    HWND hwndMB;
    COLORREF clrBk;
} SHMENUBARINFO, *PSHMENUBARINFO;

typedef struct tagSHINITDLGINFO {
    DWORD dwMask;
    HWND hDlg;
    DWORD dwFlags;
} SHINITDLGINFO, *PSHINITDLGINFO;

typedef int SIPSTATE;

// Makes the menu bar of RCDATA nToolBarId (and its strings and bitmap) from hInstRes at
// the bottom of the screen for hwndParent; stores it in hwndMB. cbSize must reach at
// least to hwndMB; dwFlags must be 0.
BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO* pmbi);
BOOL WINAPI SHInitDialog(PSHINITDLGINFO pshidi);
BOOL WINAPI SHSipPreference(HWND hwnd, SIPSTATE st);

#ifdef __cplusplus
}
#endif
#endif  // RC_INVOKED
