#include "user/menu/menu_tracker.h"

#include <winuser.h>

#include "user/dialog/modal_loop.h"

namespace platform::user {

namespace {

bool IsStylusMessage(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_MOUSEMOVE ||
           message == WM_LBUTTONDBLCLK;
}

bool IsKeyMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

POINT ScreenPointOf(const MSG& msg) {
    POINT point{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
    ClientToScreen(msg.hwnd, &point);
    return point;
}

}  // namespace

UINT MenuTracker::Run(POINT at, UINT flags, const RECT* exclude) {
    if (!popup_.Create(at, flags, owner_, exclude)) {
        return 0;
    }
    popup_.Show();
    SetCapture(popup_.Window());
    MSG msg{};
    while (!finished_) {
        if (!NextModalMessage(msg)) {
            Finish(0);
            break;
        }
        if (IsStylusMessage(msg.message)) {
            OnStylus(msg.message, ScreenPointOf(msg));
        } else if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            OnKeyDown(static_cast<UINT>(msg.wParam));
        } else if (!IsKeyMessage(msg.message)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (!finished_ &&
            (!IsWindow(owner_) || !IsWindow(popup_.Window()) || popup_.CaptureLost())) {
            Finish(0);
        }
    }
    if (GetCapture() == popup_.Window()) {
        ReleaseCapture();
    }
    return chosen_;
}

void MenuTracker::OnStylus(UINT message, POINT screen) {
    const bool onMenu = popup_.Contains(screen);
    const int item = popup_.ItemAt(screen);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!onMenu) {
                Finish(0);
                return;
            }
            pressedOnMenu_ = true;
            popup_.SetHighlight(item);
            break;
        case WM_MOUSEMOVE:
            if (pressedOnMenu_) {
                popup_.SetHighlight(item);
            }
            break;
        case WM_LBUTTONUP:
            if (pressedOnMenu_) {
                const MenuItem* chosen = popup_.Item(item);
                if (chosen && chosen->IsChoosable()) {
                    Finish(chosen->command);
                }
            }
            pressedOnMenu_ = false;
            break;
        default:
            break;
    }
}

void MenuTracker::OnKeyDown(UINT key) {
    switch (key) {
        case VK_UP:
            popup_.MoveHighlight(-1);
            break;
        case VK_DOWN:
            popup_.MoveHighlight(1);
            break;
        case VK_RETURN:
            if (const MenuItem* item = popup_.Item(popup_.Highlight());
                item && item->IsChoosable()) {
                Finish(item->command);
            }
            break;
        case VK_ESCAPE:
            Finish(0);
            break;
        default:
            break;
    }
}

void MenuTracker::Finish(UINT command) {
    finished_ = true;
    chosen_ = command;
}

}  // namespace platform::user
