// SendMessageW: a direct call on the window's own thread; otherwise the sender queues
// the message for the window's thread and blocks until that thread has handled it,
// handling the messages sent to itself meanwhile so that two threads sending to each
// other never deadlock.
#include <windows.h>
#include <winuser.h>

#include "user/messages/message_retrieval.h"
#include "user/window_manager.h"

using platform::user::WindowManager;

extern "C" LRESULT WINAPI SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    auto& manager = WindowManager::Instance();
    auto lock = manager.Lock();
    const auto window = platform::user::FindOrFail(hWnd);
    if (!window) {
        return 0;
    }
    const auto self = platform::user::CurrentQueue();
    if (window->queue == self) {
        const WNDPROC procedure = window->procedure;
        lock.unlock();
        return procedure(hWnd, Msg, wParam, lParam);
    }
    if (!window->queue->alive) {
        return 0;
    }
    auto send = std::make_shared<platform::user::SentMessage>();
    send->window = hWnd;
    send->message = Msg;
    send->wParam = wParam;
    send->lParam = lParam;
    send->sender = self;
    window->queue->incomingSends.push_back(send);
    window->queue->wake.notify_all();
    while (!send->done) {
        if (!self->incomingSends.empty()) {
            platform::user::HandleIncomingSends(lock, *self);
            continue;
        }
        self->wake.wait(lock);
    }
    return send->result;
}

extern "C" BOOL WINAPI InSendMessage(void) {
    return platform::user::SendBeingHandled() != nullptr;
}

extern "C" BOOL WINAPI ReplyMessage(LRESULT lResult) {
    auto* send = platform::user::SendBeingHandled();
    if (!send) {
        return FALSE;
    }
    auto lock = WindowManager::Instance().Lock();
    if (send->done) {
        return FALSE;
    }
    send->result = lResult;
    send->done = true;
    send->sender->wake.notify_all();
    return TRUE;
}
