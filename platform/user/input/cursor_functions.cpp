// The system cursors. The stylus has no pointer to draw, so the only visible cursor is
// the wait cursor: while it is set, the display shows the busy indicator.
#include <windows.h>
#include <winuser.h>

#include <array>

#include "display/busy_indicator.h"
#include "user/window_manager.h"

using platform::user::WindowManager;

namespace {

struct SystemCursor {
    ULONG_PTR id = 0;
};

// The ids behind IDC_ARROW, IDC_IBEAM and IDC_WAIT.
constexpr std::array<SystemCursor, 3> kSystemCursors{{{32512}, {32513}, {32514}}};

HCURSOR HandleOf(const SystemCursor& cursor) {
    return reinterpret_cast<HCURSOR>(const_cast<SystemCursor*>(&cursor));
}

bool IsSystemCursor(HCURSOR cursor) {
    for (const auto& known : kSystemCursors) {
        if (HandleOf(known) == cursor) {
            return true;
        }
    }
    return false;
}

HCURSOR currentCursor = HandleOf(kSystemCursors[0]);

}  // namespace

extern "C" HCURSOR WINAPI LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName) {
    // FIXME: cursors from a program's resources are not offered; the program uses only
    // the system's.
    if (!hInstance && IS_INTRESOURCE(lpCursorName)) {
        for (const auto& cursor : kSystemCursors) {
            if (cursor.id == reinterpret_cast<ULONG_PTR>(lpCursorName)) {
                return HandleOf(cursor);
            }
        }
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
}

extern "C" HCURSOR WINAPI SetCursor(HCURSOR hCursor) {
    if (hCursor && !IsSystemCursor(hCursor)) {
        SetLastError(ERROR_INVALID_CURSOR_HANDLE);
        return nullptr;
    }
    HCURSOR previous = nullptr;
    {
        auto lock = WindowManager::Instance().Lock();
        previous = currentCursor;
        currentCursor = hCursor;
    }
    platform::display::SetBusy(hCursor == HandleOf(kSystemCursors[2]));
    return previous;
}

extern "C" HCURSOR WINAPI GetCursor(void) {
    auto lock = WindowManager::Instance().Lock();
    return currentCursor;
}
