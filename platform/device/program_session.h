// Runs the program on the device: the display on its own thread, the script (if any)
// on its own thread, and the program's WinMain on the calling thread, which is the
// process's main thread. The result is the process's exit status.
#pragma once

#include <windows.h>

#include <ostream>

#include "device/device_options.h"

namespace platform::device {

using WinMainFunction = int (*)(HINSTANCE, HINSTANCE, LPWSTR, int);

// Exit statuses of the device itself; any other status is the program's.
inline constexpr int kUsageExit = 2;
inline constexpr int kScriptFailureExit = 3;

int RunProgramSession(const DeviceOptions& options, WinMainFunction winMain, std::ostream& errors);

}  // namespace platform::device
