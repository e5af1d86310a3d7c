// The tab control's window class and message decoding. The TabControl lives in the
// window's extra bytes through ControlWindow; GWLP_USERDATA stays the program's.
#include <commctrl.h>
#include <windows.h>

#include "controls/control_window.h"
#include "controls/tab_control/tab_control.h"

namespace platform::controls {

void RegisterTabControlClass() {
    ControlWindow<TabControl>::Register(WC_TABCONTROLW, CS_GLOBALCLASS);
}

LRESULT TabControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(wParam);
    switch (message) {
        case TCM_INSERTITEMW:
            return InsertItem(index, reinterpret_cast<const TCITEMW*>(lParam));
        case TCM_GETITEMW:
            return GetItem(index, reinterpret_cast<TCITEMW*>(lParam));
        case TCM_GETITEMCOUNT:
            return ItemCount();
        case TCM_DELETEALLITEMS:
            DeleteAllItems();
            return TRUE;
        case TCM_GETCURSEL:
            return Selection();
        case TCM_SETCURSEL:
            return SetSelection(index);
        case TCM_GETITEMRECT:
            return GetItemRect(index, reinterpret_cast<RECT*>(lParam));
        case TCM_ADJUSTRECT:
            if (lParam != 0) {
                AdjustRect(wParam != 0, reinterpret_cast<RECT*>(lParam));
            }
            return 0;
        case CCM_SETVERSION:
            return SetVersion(index);
        case CCM_GETVERSION:
            return Version();
        case WM_LBUTTONDOWN:
            OnLButtonDown(PointFromParam(lParam));
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

}  // namespace platform::controls
