#include "framework/Page.h"

namespace {

bool IsInputMessage(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

}  // namespace

HWND Page::ChildHolding(HWND descendant) const {
    HWND child = descendant;
    for (HWND parent = GetParent(child); parent && parent != Handle(); parent = GetParent(child)) {
        child = parent;
    }
    return child;
}

BOOL Page::PreTranslateMessage(MSG* message) {
    if (!IsInputMessage(message->message)) {
        return FALSE;
    }
    const HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus) &&
        SendMessageW(ChildHolding(focus), WM_FORWARDMSG, 0, reinterpret_cast<LPARAM>(message))) {
        return TRUE;
    }
    return IsDialogMessageW(Handle(), message);
}
