#include "framework/MessageTarget.h"

MessageTarget::~MessageTarget() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, slot_, 0);
    }
}

void MessageTarget::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, slot_, reinterpret_cast<LONG_PTR>(this));
}

MessageTarget* MessageTarget::FromHandle(HWND hwnd, int slot) {
    return reinterpret_cast<MessageTarget*>(GetWindowLongPtrW(hwnd, slot));
}

LRESULT MessageTarget::Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ++nesting_;
    LRESULT result = 0;
    const bool handled = ProcessWindowMessage(hwnd, message, wParam, lParam, result);
    result = Answer(hwnd, message, wParam, lParam, handled, result);
    --nesting_;
    if (message == WM_NCDESTROY) {
        // The window's last message: nothing may find the object through it any more.
        SetWindowLongPtrW(hwnd, slot_, 0);
        hwnd_ = nullptr;
        destroyed_ = true;
    }
    if (destroyed_ && nesting_ == 0) {
        destroyed_ = false;
        // Last statement: the object may be gone once this returns.
        OnFinalMessage(hwnd);
    }
    return result;
}
