// The control gallery: a dialog holding every control, for the golden screens of the
// end-to-end tests.
#include <aygshell.h>
#include <commctrl.h>
#include <windows.h>

#include "gallery_ids.h"

namespace {

HINSTANCE g_instance = nullptr;

void FillCombos(HWND dialog) {
    const WCHAR* const editable[] = {u"alpha", u"Beta", u"gamma"};
    for (const WCHAR* text : editable) {
        SendDlgItemMessageW(dialog, IDC_COMBO_EDIT, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(text));
    }
    for (int i = 1; i <= 12; ++i) {
        WCHAR text[16];
        wsprintfW(text, u"choice %d", i);
        SendDlgItemMessageW(dialog, IDC_COMBO_LIST, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(text));
    }
    SendDlgItemMessageW(dialog, IDC_COMBO_LIST, CB_SETCURSEL, 0, 0);
}

void FillList(HWND dialog) {
    const HWND list = GetDlgItem(dialog, IDC_LIST);
    HIMAGELIST images = ImageList_LoadImage(g_instance, MAKEINTRESOURCEW(IDB_GLOBE), 16, 0,
                                            RGB(255, 0, 255), IMAGE_BITMAP, 0);
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    for (int c = 0; c < 2; ++c) {
        column.pszText = const_cast<LPWSTR>(c == 0 ? u"Name" : u"Square");
        SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    for (int row = 0; row < 20; ++row) {
        WCHAR name[16];
        WCHAR square[16];
        wsprintfW(name, u"row %d", row);
        wsprintfW(square, u"%d", row * row);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = row;
        item.pszText = name;
        item.iImage = row % 3 == 0 ? 0 : -1;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        item.mask = LVIF_TEXT;
        item.iSubItem = 1;
        item.pszText = square;
        SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER);
}

HTREEITEM InsertTreeItem(HWND tree, HTREEITEM parent, const WCHAR* text) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<LPWSTR>(text);
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void FillTree(HWND dialog) {
    const HWND tree = GetDlgItem(dialog, IDC_TREE);
    const HTREEITEM adapters = InsertTreeItem(tree, TVI_ROOT, u"Adapters");
    InsertTreeItem(tree, adapters, u"eth0");
    InsertTreeItem(tree, adapters, u"wlan0");
    const HTREEITEM routes = InsertTreeItem(tree, TVI_ROOT, u"Routes");
    InsertTreeItem(tree, routes, u"default");
}

void FillTabs(HWND dialog) {
    const HWND tabs = GetDlgItem(dialog, IDC_TABS);
    const WCHAR* const names[] = {u"One", u"Two", u"Three"};
    for (int i = 0; i < 3; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPWSTR>(names[i]);
        SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
}

BOOL OnInitDialog(HWND dialog) {
    SHINITDLGINFO init{};
    init.dwMask = SHIDIM_FLAGS;
    init.hDlg = dialog;
    init.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN;
    SHInitDialog(&init);

    SHMENUBARINFO bar{};
    bar.cbSize = sizeof(bar);
    bar.hwndParent = dialog;
    bar.nToolBarId = IDR_GALLERY_BAR;
    bar.hInstRes = g_instance;
    bar.nBmpId = IDB_GLOBE;
    bar.cBmpImages = 1;
    SHCreateMenuBar(&bar);

    SetDlgItemTextW(dialog, IDC_NOTES, u"First line\r\nSecond line\r\nThird line");
    FillCombos(dialog);
    FillList(dialog);
    FillTree(dialog);
    FillTabs(dialog);
    return TRUE;
}

INT_PTR CALLBACK GalleryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        return OnInitDialog(dialog);
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    g_instance = instance;
    INITCOMMONCONTROLSEX init{sizeof(init),
                              ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&init);
    return static_cast<int>(
        DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_GALLERY), nullptr, GalleryProc, 0));
}
