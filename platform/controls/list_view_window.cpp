// The list view's window class. Its ListView lives in the window's extra bytes (the
// user data is the program's) from WM_NCCREATE to WM_NCDESTROY. A parent may destroy
// the list while answering one of its notifications, so the object is deleted only
// when the outermost message the list is handling returns.
#include <commctrl.h>
#include <windows.h>

#include "controls/list_view.h"
#include "user/window_dump.h"

namespace platform::controls {
namespace {

constexpr int kStateOffset = 0;

struct ListViewWindow {
    ListView view;
    int nesting = 0;
    bool destroyed = false;

    ListViewWindow(HWND window, DWORD style) : view(window, style) {}
};

ListViewWindow* StateOf(HWND window) {
    return reinterpret_cast<ListViewWindow*>(GetWindowLongPtrW(window, kStateOffset));
}

POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

const LVITEMW* ItemOf(LPARAM lParam) {
    return reinterpret_cast<const LVITEMW*>(lParam);
}
LVITEMW* MutableItemOf(LPARAM lParam) {
    return reinterpret_cast<LVITEMW*>(lParam);
}

LRESULT Dispatch(ListViewWindow& state, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ListView& view = state.view;
    const int index = static_cast<int>(wParam);
    switch (message) {
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, kStateOffset, 0);
            state.destroyed = true;
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_CREATE:
        case WM_SIZE:
            view.OnSize();
            return 0;
        case WM_SETFONT:
            view.SetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(view.Font());
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_PAINT:
            view.Paint();
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            view.OnFocusChanged();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_LBUTTONDOWN:
            view.OnLButtonDown(PointOf(lParam));
            return 0;
        case WM_MOUSEMOVE:
            view.OnMouseMove(PointOf(lParam));
            return 0;
        case WM_LBUTTONUP:
            view.OnLButtonUp(PointOf(lParam));
            return 0;
        case WM_CAPTURECHANGED:
            view.OnCaptureLost();
            return 0;
        case WM_KEYDOWN:
            return view.OnKeyDown(static_cast<UINT>(wParam))
                       ? 0
                       : DefWindowProcW(window, message, wParam, lParam);
        case LVM_INSERTCOLUMNW:
            return view.InsertColumn(index, reinterpret_cast<const LVCOLUMNW*>(lParam));
        case LVM_SETCOLUMNWIDTH:
            return view.SetColumnWidth(index, static_cast<short>(LOWORD(lParam)));
        case LVM_GETCOLUMNWIDTH:
            return view.ColumnWidth(index);
        case LVM_INSERTITEMW:
            return view.InsertItem(ItemOf(lParam));
        case LVM_SETITEMW:
            return view.SetItem(ItemOf(lParam));
        case LVM_GETITEMW:
            return view.GetItem(MutableItemOf(lParam));
        case LVM_SETITEMTEXTW:
            return view.SetItemText(index, ItemOf(lParam));
        case LVM_GETITEMTEXTW:
            return view.GetItemText(index, MutableItemOf(lParam));
        case LVM_DELETEITEM:
            return view.DeleteItem(index);
        case LVM_DELETEALLITEMS:
            return view.DeleteAllItems();
        case LVM_GETITEMCOUNT:
            return view.ItemCount();
        case LVM_GETNEXTITEM:
            return view.NextItem(index, LOWORD(lParam));
        case LVM_SETITEMSTATE:
            return view.SetItemState(index, ItemOf(lParam));
        case LVM_GETITEMSTATE:
            return view.ItemState(index, static_cast<UINT>(lParam));
        case LVM_GETSELECTEDCOUNT:
            return view.SelectedCount();
        case LVM_GETITEMRECT:
            return view.GetItemRect(index, reinterpret_cast<RECT*>(lParam));
        case LVM_ENSUREVISIBLE:
            return view.EnsureVisible(index);
        case LVM_GETTOPINDEX:
            return view.TopIndex();
        case LVM_GETCOUNTPERPAGE:
            return view.CountPerPage();
        case LVM_SETIMAGELIST:
            return reinterpret_cast<LRESULT>(
                view.SetImageList(index, reinterpret_cast<HIMAGELIST>(lParam)));
        case LVM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(view.ImageList(index));
        case user::kDumpContentMessage:
            view.DumpContent(*reinterpret_cast<nlohmann::json*>(lParam));
            return 1;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK ListViewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ListViewWindow* state = StateOf(window);
    if (!state) {
        if (message != WM_NCCREATE) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        state = new ListViewWindow(window, static_cast<DWORD>(create->style));
        SetWindowLongPtrW(window, kStateOffset, reinterpret_cast<LONG_PTR>(state));
    }
    ++state->nesting;
    const LRESULT result = Dispatch(*state, window, message, wParam, lParam);
    if (--state->nesting == 0 && state->destroyed) {
        delete state;
    }
    return result;
}

}  // namespace

void RegisterListViewClass() {
    WNDCLASSW list_class{};
    list_class.style = CS_GLOBALCLASS;
    list_class.lpfnWndProc = ListViewProcedure;
    list_class.cbWndExtra = sizeof(ListViewWindow*);
    list_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    list_class.lpszClassName = WC_LISTVIEWW;
    RegisterClassW(&list_class);
}

}  // namespace platform::controls
