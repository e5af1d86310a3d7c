// Waiting until the program has handled what it was given: every thread that owns a
// window sleeps in its message loop with no posted or sent message and no window to
// paint. Timers do not count as pending work, so a program with a running timer still
// settles between its ticks.
#pragma once

#include <chrono>

namespace platform::device::automation {

bool ProgramIsIdle();

// True once the program is idle; false when `limit` passed first.
bool SettleProgram(std::chrono::milliseconds limit);

}  // namespace platform::device::automation
