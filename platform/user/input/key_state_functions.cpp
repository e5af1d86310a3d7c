// GetKeyState answers as of the messages the calling thread has taken; GetAsyncKeyState
// as of the input that has arrived.
#include <windows.h>
#include <winuser.h>

#include "user/window_manager.h"

using platform::user::WindowManager;

namespace {

// 0x80 in the state byte means down (the result's high bit); 0x01 means toggled.
SHORT KeyStateValue(BYTE state) {
    return static_cast<SHORT>(((state & 0x80) ? 0x8000 : 0) | (state & 0x01));
}

}  // namespace

extern "C" SHORT WINAPI GetKeyState(int nVirtKey) {
    auto lock = WindowManager::Instance().Lock();
    return KeyStateValue(platform::user::CurrentQueue()->keyState[nVirtKey & 0xFF]);
}

extern "C" SHORT WINAPI GetAsyncKeyState(int vKey) {
    auto lock = WindowManager::Instance().Lock();
    return KeyStateValue(WindowManager::Instance().asyncKeyState[vKey & 0xFF]);
}
