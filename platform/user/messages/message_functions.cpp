// The message loop's functions: taking, posting, translating and dispatching messages.
#include <windows.h>
#include <winuser.h>

#include <algorithm>

#include "user/input/key_translation.h"
#include "user/messages/message_retrieval.h"
#include "user/window_manager.h"

using platform::user::MessageFilter;
using platform::user::WindowManager;

namespace {

bool FilterWindowIsValid(HWND window) {
    return window == nullptr || window == reinterpret_cast<HWND>(-1) ||
           WindowManager::Instance().Find(window) != nullptr;
}

}  // namespace

extern "C" BOOL WINAPI GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    if (!lpMsg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    auto lock = WindowManager::Instance().Lock();
    if (!FilterWindowIsValid(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    const auto queue = platform::user::CurrentQueue();
    const MessageFilter filter{hWnd, wMsgFilterMin, wMsgFilterMax};
    while (!platform::user::TakeMessage(lock, *queue, filter, true, *lpMsg)) {
        platform::user::WaitForMessage(lock, *queue, filter);
    }
    return lpMsg->message != WM_QUIT;
}

extern "C" BOOL WINAPI PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                                    UINT wRemoveMsg) {
    if (!lpMsg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto lock = WindowManager::Instance().Lock();
    if (!FilterWindowIsValid(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const auto queue = platform::user::CurrentQueue();
    const MessageFilter filter{hWnd, wMsgFilterMin, wMsgFilterMax};
    return platform::user::TakeMessage(lock, *queue, filter, (wRemoveMsg & PM_REMOVE) != 0, *lpMsg);
}

extern "C" BOOL WINAPI PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (!hWnd) {
        return PostThreadMessageW(GetCurrentThreadId(), Msg, wParam, lParam);
    }
    auto lock = WindowManager::Instance().Lock();
    const auto window = platform::user::FindOrFail(hWnd);
    if (!window) {
        return FALSE;
    }
    if (!window->queue->alive) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    platform::user::Post(*window->queue, platform::user::MakeMessage(hWnd, Msg, wParam, lParam),
                         false);
    return TRUE;
}

extern "C" BOOL WINAPI PostThreadMessageW(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam) {
    auto lock = WindowManager::Instance().Lock();
    const auto queue = idThread == GetCurrentThreadId() ? platform::user::CurrentQueue()
                                                        : platform::user::QueueOfThread(idThread);
    if (!queue) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    platform::user::Post(*queue, platform::user::MakeMessage(nullptr, Msg, wParam, lParam), false);
    return TRUE;
}

extern "C" void WINAPI PostQuitMessage(int nExitCode) {
    auto lock = WindowManager::Instance().Lock();
    const auto queue = platform::user::CurrentQueue();
    queue->quitPosted = true;
    queue->quitCode = nExitCode;
}

extern "C" LRESULT WINAPI DispatchMessageW(const MSG* lpMsg) {
    if (!lpMsg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto lock = WindowManager::Instance().Lock();
    if (lpMsg->message == WM_TIMER && lpMsg->lParam != 0) {
        // Only a procedure that a live timer of this thread names is called: lParam
        // arrives from the queue and must not become an arbitrary call.
        const auto queue = platform::user::CurrentQueue();
        const auto procedure = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
        const bool known = std::any_of(queue->timers.begin(), queue->timers.end(), [&](auto& t) {
            return t.window == lpMsg->hwnd && t.id == lpMsg->wParam && t.procedure == procedure;
        });
        lock.unlock();
        if (known) {
            procedure(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, GetTickCount());
        }
        return 0;
    }
    if (!lpMsg->hwnd) {
        return 0;
    }
    const auto window = platform::user::FindOrFail(lpMsg->hwnd);
    if (!window) {
        return 0;
    }
    if (window->queue != platform::user::CurrentQueue()) {
        SetLastError(ERROR_WINDOW_OF_OTHER_THREAD);
        return 0;
    }
    const WNDPROC procedure = window->procedure;
    lock.unlock();
    return procedure(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

extern "C" BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
    if (!lpMsg) {
        return FALSE;
    }
    const UINT message = lpMsg->message;
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN && message != WM_KEYUP &&
        message != WM_SYSKEYUP) {
        return FALSE;
    }
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        auto lock = WindowManager::Instance().Lock();
        const auto queue = platform::user::CurrentQueue();
        if (const char16_t c =
                platform::user::CharacterOfKey(static_cast<UINT>(lpMsg->wParam), queue->keyState)) {
            // The character comes next, ahead of anything queued after the key.
            const UINT charMessage = message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
            queue->posted.push_front(
                {platform::user::MakeMessage(lpMsg->hwnd, charMessage, c, lpMsg->lParam), false});
        }
    }
    return TRUE;
}

extern "C" DWORD WINAPI GetMessagePos(void) {
    auto lock = WindowManager::Instance().Lock();
    const POINT pt = platform::user::CurrentQueue()->lastMessage.pt;
    return static_cast<DWORD>(MAKELONG(pt.x, pt.y));
}

extern "C" LONG WINAPI GetMessageTime(void) {
    auto lock = WindowManager::Instance().Lock();
    return static_cast<LONG>(platform::user::CurrentQueue()->lastMessage.time);
}
