// The list view's window class: ControlWindow keeps a ListView in each window's extra
// bytes (the user data is the program's) and frees it only once no handler of it is
// running, since a parent may destroy the list while answering a notification. Here the
// messages are only unpacked for it.
#include <commctrl.h>
#include <windows.h>

#include "controls/control_window.h"
#include "controls/list_view/list_view.h"

namespace platform::controls {
namespace {

const LVITEMW* ItemOf(LPARAM lParam) {
    return reinterpret_cast<const LVITEMW*>(lParam);
}
LVITEMW* MutableItemOf(LPARAM lParam) {
    return reinterpret_cast<LVITEMW*>(lParam);
}

}  // namespace

LRESULT ListView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(wParam);
    switch (message) {
        case WM_CREATE:
        case WM_SIZE:
            OnSize();
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            OnFocusChanged();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_LBUTTONDOWN:
            OnLButtonDown(PointFromParam(lParam));
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(PointFromParam(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp(PointFromParam(lParam));
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureLost();
            return 0;
        case WM_KEYDOWN:
            return OnKeyDown(static_cast<UINT>(wParam))
                       ? 0
                       : DefWindowProcW(window_, message, wParam, lParam);
        case LVM_INSERTCOLUMNW:
            return InsertColumn(index, reinterpret_cast<const LVCOLUMNW*>(lParam));
        case LVM_SETCOLUMNWIDTH:
            return SetColumnWidth(index, static_cast<short>(LOWORD(lParam)));
        case LVM_GETCOLUMNWIDTH:
            return ColumnWidth(index);
        case LVM_INSERTITEMW:
            return InsertItem(ItemOf(lParam));
        case LVM_SETITEMW:
            return SetItem(ItemOf(lParam));
        case LVM_GETITEMW:
            return GetItem(MutableItemOf(lParam));
        case LVM_SETITEMTEXTW:
            return SetItemText(index, ItemOf(lParam));
        case LVM_GETITEMTEXTW:
            return GetItemText(index, MutableItemOf(lParam));
        case LVM_DELETEITEM:
            return DeleteItem(index);
        case LVM_DELETEALLITEMS:
            return DeleteAllItems();
        case LVM_GETITEMCOUNT:
            return ItemCount();
        case LVM_GETNEXTITEM:
            return NextItem(index, LOWORD(lParam));
        case LVM_SETITEMSTATE:
            return SetItemState(index, ItemOf(lParam));
        case LVM_GETITEMSTATE:
            return ItemState(index, static_cast<UINT>(lParam));
        case LVM_GETSELECTEDCOUNT:
            return SelectedCount();
        case LVM_GETITEMRECT:
            return GetItemRect(index, reinterpret_cast<RECT*>(lParam));
        case LVM_ENSUREVISIBLE:
            return EnsureVisible(index);
        case LVM_GETTOPINDEX:
            return TopIndex();
        case LVM_GETCOUNTPERPAGE:
            return CountPerPage();
        case LVM_SETIMAGELIST:
            return reinterpret_cast<LRESULT>(
                SetImageList(index, reinterpret_cast<HIMAGELIST>(lParam)));
        case LVM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(ImageList(index));
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void RegisterListViewClass() {
    ControlWindow<ListView>::Register(WC_LISTVIEWW, 0, LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace platform::controls
