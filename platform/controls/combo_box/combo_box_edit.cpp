#include "controls/combo_box/combo_box_edit.h"

#include <winuser.h>

#include <atomic>

namespace platform::controls {

namespace {

// Every edit child shares the "Edit" class's procedure, so one saved pointer serves all;
// combo boxes on several threads may store it at once.
std::atomic<WNDPROC> editProcedure = nullptr;

bool IsDropped(HWND edit) {
    return SendMessageW(GetParent(edit), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

bool BelongsToCombo(HWND edit, UINT key) {
    switch (key) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_F4:
            return true;
        case VK_RETURN:
        case VK_ESCAPE:
            return IsDropped(edit);
        default:
            return false;
    }
}

LRESULT CALLBACK ComboEditProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (BelongsToCombo(hwnd, static_cast<UINT>(wParam))) {
                return SendMessageW(GetParent(hwnd), message, wParam, lParam);
            }
            break;
        case WM_GETDLGCODE:
            return CallWindowProcW(editProcedure, hwnd, message, wParam, lParam) |
                   (IsDropped(hwnd) ? DLGC_WANTMESSAGE : 0);
        default:
            break;
    }
    return CallWindowProcW(editProcedure, hwnd, message, wParam, lParam);
}

}  // namespace

void SubclassComboEdit(HWND edit) {
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ComboEditProcedure)));
    if (previous != ComboEditProcedure) {
        editProcedure = previous;
    }
}

}  // namespace platform::controls
