// Running a piece of window-manager work on the thread that owns a window, from a thread
// that owns none: it travels as a sent message does, so the owner runs it inside its
// message calls and modal loops, however busy its program keeps its own queue.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>

namespace platform::user {

// The task's result, or nothing when the window is gone or its thread did not get to it
// in time (it may still run later). Call without the lock, never from the window's own
// thread.
std::optional<LRESULT> CallOnWindowThread(HWND window, std::function<LRESULT()> task,
                                          std::chrono::milliseconds timeout);

}  // namespace platform::user
