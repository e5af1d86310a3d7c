#include "program/MessageLoop.h"

#include <algorithm>

template <typename T>
void MessageLoop::Append(std::vector<T*>& list, T* item) {
    if (list.size() == list.capacity()) {
        list.reserve(std::max<std::size_t>(1, list.capacity() * 2));
    }
    list.push_back(item);
}

void MessageLoop::AddMessageFilter(MessageFilter* filter) {
    Append(filters_, filter);
}

void MessageLoop::AddIdleHandler(IdleHandler* handler) {
    Append(idleHandlers_, handler);
}

bool MessageLoop::StartsIdleProcessing(UINT message) {
    constexpr UINT kSystemTimer = 0x0118;
    return message != WM_MOUSEMOVE && message != WM_PAINT && message != kSystemTimer;
}

bool MessageLoop::PreTranslate(MSG* message) {
    return std::any_of(filters_.rbegin(), filters_.rend(), [message](MessageFilter* filter) {
        return filter->PreTranslateMessage(message) != FALSE;
    });
}

void MessageLoop::RunIdleHandlers() {
    for (IdleHandler* handler : idleHandlers_) {
        handler->OnIdle();
    }
}

int MessageLoop::Run() {
    bool idle = true;
    for (;;) {
        if (idle && !PeekMessageW(&message_, nullptr, 0, 0, PM_NOREMOVE)) {
            RunIdleHandlers();
            idle = false;
        }
        const BOOL got = GetMessageW(&message_, nullptr, 0, 0);
        if (got == -1) {
            continue;
        }
        if (!got) {
            return static_cast<int>(message_.wParam);
        }
        if (!PreTranslate(&message_)) {
            TranslateMessage(&message_);
            DispatchMessageW(&message_);
        }
        if (StartsIdleProcessing(message_.message)) {
            idle = true;
        }
    }
}
