// The platform's Win32 API, as a program includes it.
#pragma once

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
