// The tab control's window class. Each window's TabControl lives in its extra window
// bytes (offset 0), made at WM_NCCREATE and freed at WM_NCDESTROY; GWLP_USERDATA stays
// the program's.
#include <commctrl.h>
#include <windows.h>

#include <memory>

#include "controls/tab_control.h"
#include "user/window_dump.h"

namespace platform::controls {

namespace {

TabControl* StateOf(HWND hwnd) {
    return reinterpret_cast<TabControl*>(GetWindowLongPtrW(hwnd, 0));
}

POINT PointFrom(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

LRESULT HandleMessage(TabControl& tab, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case TCM_INSERTITEMW:
            return tab.InsertItem(static_cast<int>(wParam),
                                  reinterpret_cast<const TCITEMW*>(lParam));
        case TCM_GETITEMW:
            return tab.GetItem(static_cast<int>(wParam), reinterpret_cast<TCITEMW*>(lParam));
        case TCM_GETITEMCOUNT:
            return tab.ItemCount();
        case TCM_DELETEALLITEMS:
            tab.DeleteAllItems();
            return TRUE;
        case TCM_GETCURSEL:
            return tab.Selection();
        case TCM_SETCURSEL:
            return tab.SetSelection(static_cast<int>(wParam));
        case TCM_GETITEMRECT:
            return tab.GetItemRect(static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam));
        case TCM_ADJUSTRECT:
            if (lParam == 0) {
                return 0;
            }
            tab.AdjustRect(wParam != 0, reinterpret_cast<RECT*>(lParam));
            return 0;
        case CCM_SETVERSION:
            return tab.SetVersion(static_cast<int>(wParam));
        case CCM_GETVERSION:
            return tab.Version();
        case WM_SETFONT:
            tab.SetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(tab.Font());
        case WM_LBUTTONDOWN:
            tab.OnLButtonDown(PointFrom(lParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers every pixel
        case WM_PAINT:
            tab.Paint();
            return 0;
        case user::kDumpContentMessage:
            tab.DumpContent(*reinterpret_cast<nlohmann::json*>(lParam));
            return 1;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK TabControlProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(hwnd, 0,
                          reinterpret_cast<LONG_PTR>(std::make_unique<TabControl>(hwnd).release()));
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    TabControl* tab = StateOf(hwnd);
    if (tab == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, 0, 0);
        delete tab;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return HandleMessage(*tab, hwnd, message, wParam, lParam);
}

}  // namespace

void RegisterTabControlClass() {
    WNDCLASSW windowClass{};
    windowClass.style = CS_GLOBALCLASS;
    windowClass.lpfnWndProc = TabControlProcedure;
    windowClass.cbWndExtra = sizeof(TabControl*);
    windowClass.lpszClassName = WC_TABCONTROLW;
    RegisterClassW(&windowClass);
}

}  // namespace platform::controls
