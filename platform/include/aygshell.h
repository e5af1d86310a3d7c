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

#ifdef __cplusplus
}
#endif
#endif  // RC_INVOKED
