// For the platform's own modal loops (dialog boxes, pop-up menus): wait for and take the
// calling thread's next message, handling sent messages and timers' WM_TIMER like any
// message loop. The caller decides what to do with the message (IsDialogMessage,
// a menu's tracking, TranslateMessage and DispatchMessageW).
#pragma once

#include <windows.h>
#include <winuser.h>

namespace platform::user {

// Returns false on a quit request, which stays pending so that the outer message loop
// still sees it once the modal loop has ended.
bool NextModalMessage(MSG& msg);

}  // namespace platform::user
