// The tree view's window class and message decoding. The TreeView lives in the window's
// extra bytes through ControlWindow; GWLP_USERDATA stays the program's.
#include <commctrl.h>
#include <windows.h>

#include "controls/control_window.h"
#include "controls/tree_view/tree_view.h"

namespace platform::controls {

namespace {

HTREEITEM AsItem(LPARAM lParam) {
    return reinterpret_cast<HTREEITEM>(lParam);
}

}  // namespace

void RegisterTreeViewClass() {
    ControlWindow<TreeView>::Register(WC_TREEVIEWW, CS_GLOBALCLASS);
}

LRESULT TreeView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case TVM_INSERTITEMW:
            return reinterpret_cast<LRESULT>(
                InsertItem(reinterpret_cast<const TVINSERTSTRUCTW*>(lParam)));
        case TVM_DELETEITEM:
            return DeleteItem(AsItem(lParam));
        case TVM_EXPAND:
            return Expand(AsItem(lParam), static_cast<UINT>(wParam));
        case TVM_ENSUREVISIBLE:
            return EnsureVisible(AsItem(lParam));
        case TVM_GETNEXTITEM:
            return reinterpret_cast<LRESULT>(
                GetNextItem(AsItem(lParam), static_cast<UINT>(wParam)));
        case TVM_SELECTITEM:
            return SelectItem(static_cast<UINT>(wParam), AsItem(lParam));
        case TVM_GETITEMW:
            return GetItem(reinterpret_cast<TVITEMW*>(lParam));
        case TVM_SETITEMW:
            return SetItem(reinterpret_cast<const TVITEMW*>(lParam));
        case TVM_GETCOUNT:
            return static_cast<LRESULT>(Count());
        case WM_LBUTTONDOWN:
            OnLButtonDown(PointFromParam(lParam));
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(PointFromParam(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp();
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(static_cast<UINT>(wParam));
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            OnFocusChange();
            return 0;
        case WM_SIZE:
            ClampTopRow();
            InvalidateRect(window_, nullptr, TRUE);
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

}  // namespace platform::controls
