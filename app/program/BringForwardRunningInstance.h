// The single-instance rule: a named mutex says another copy runs, and that copy's frame
// (or its open About box) is brought to the front instead of starting a second one.
#pragma once

#include <windows.h>

// S_OK: this is the only instance, go on. S_FALSE: the running instance was brought
// forward, stop. A failure code: stop with it. Loads the product name into the frame's
// class name on the way.
HRESULT BringForwardRunningInstance(HINSTANCE instance);
