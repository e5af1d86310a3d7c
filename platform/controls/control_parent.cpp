#include "controls/control_parent.h"

namespace platform::controls {

void NotifyParent(HWND control, WORD code) {
    const HWND parent = GetParent(control);
    if (parent == nullptr) {
        return;
    }
    const auto id = static_cast<WORD>(GetDlgCtrlID(control));
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

HBRUSH ParentBrush(HWND control, UINT message, HDC dc) {
    const HWND parent = GetParent(control);
    const auto dcParam = reinterpret_cast<WPARAM>(dc);
    const auto controlParam = reinterpret_cast<LPARAM>(control);
    HBRUSH brush = nullptr;
    if (parent != nullptr) {
        brush = reinterpret_cast<HBRUSH>(SendMessageW(parent, message, dcParam, controlParam));
    }
    if (brush == nullptr) {
        brush = reinterpret_cast<HBRUSH>(DefWindowProcW(control, message, dcParam, controlParam));
    }
    return brush;
}

HFONT FontOrDefault(HFONT font) {
    return font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace platform::controls
