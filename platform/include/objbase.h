// COM start-up and shut-down. The platform has no COM objects; these keep the
// per-thread initialisation count that programs pair their calls against.
#pragma once

#include "windef.h"
#include "winerror.h"

typedef enum tagCOINIT {
    COINIT_MULTITHREADED = 0x0,
    COINIT_APARTMENTTHREADED = 0x2,
    COINIT_DISABLE_OLE1DDE = 0x4,
    COINIT_SPEED_OVER_MEMORY = 0x8
} COINIT;

#ifdef __cplusplus
extern "C" {
#endif

HRESULT WINAPI CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
void WINAPI CoUninitialize(void);

#ifdef __cplusplus
}
#endif
