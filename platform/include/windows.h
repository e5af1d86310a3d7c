// The platform's Win32 API, as a program includes it.
#pragma once

#ifdef RC_INVOKED
// A resource script sees only the constants it can use.
#include "winuser.rh"
#include "winver.h"
#else

#include "windef.h"
#include "winerror.h"
#include "winbase.h"
#include "libloaderapi.h"
#include "winver.h"
#include "wingdi.h"
#include "winuser.h"
#include "timezoneapi.h"
#include "datetimeapi.h"
#include "winreg.h"
#include "winnls.h"
#include "objbase.h"
#endif  // RC_INVOKED
