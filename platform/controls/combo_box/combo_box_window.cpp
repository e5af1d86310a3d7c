// The combo box's window class: the procedure unpacks each message for ComboBox, and
// the paint draws the field in the Pocket PC look.
#include <wingdi.h>
#include <winuser.h>

#include "controls/combo_box/combo_box.h"
#include "controls/control_parent.h"
#include "controls/control_window.h"
#include "gdi/pocket_pc_painter.h"

namespace platform::controls {

void RegisterComboBoxClass() {
    ControlWindow<ComboBox>::Register(u"ComboBox");
}

LRESULT ComboBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(wParam);
    const auto* text = reinterpret_cast<const WCHAR*>(lParam);
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_SIZE:
            FitToField();
            return 0;
        case WM_SETFOCUS:
            OnSetFocus();
            return 0;
        case WM_KILLFOCUS:
            OnKillFocus();
            return 0;
        case WM_LBUTTONDOWN:
            OnLButtonDown(PointFromParam(lParam));
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            OnKeyDown(static_cast<UINT>(wParam));
            return 0;
        case WM_CHAR:
            OnChar(static_cast<char16_t>(wParam));
            return 0;
        case WM_GETDLGCODE:
            return DialogCode();
        case WM_COMMAND:
            if (edit_ && reinterpret_cast<HWND>(lParam) == edit_) {
                OnEditCommand(HIWORD(wParam));
            }
            return 0;
        case WM_SETTEXT:
            if (edit_) {
                SetEditText(text ? text : u"");
                return TRUE;
            }
            return DefWindowProcW(hwnd_, message, wParam, lParam);
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
            if (edit_) {
                return SendMessageW(edit_, message, wParam, lParam);
            }
            return DefWindowProcW(hwnd_, message, wParam, lParam);
        case CB_ADDSTRING:
            return AddString(text);
        case CB_INSERTSTRING:
            return InsertString(index, text);
        case CB_DELETESTRING:
            return DeleteString(index);
        case CB_RESETCONTENT:
            return ResetContent();
        case CB_GETCOUNT:
            return items_.Count();
        case CB_GETCURSEL:
            return selection_ >= 0 ? selection_ : CB_ERR;
        case CB_SETCURSEL:
            return SetCurSel(index);
        case CB_GETITEMDATA:
            return GetItemData(index);
        case CB_SETITEMDATA:
            return SetItemData(index, lParam);
        case CB_FINDSTRINGEXACT:
            return FindStringExact(index, text);
        case CB_GETLBTEXT:
            return GetLbText(index, reinterpret_cast<WCHAR*>(lParam));
        case CB_GETLBTEXTLEN:
            return GetLbTextLen(index);
        case CB_SHOWDROPDOWN:
            if (wParam) {
                DropDown();
            } else {
                CloseUp(false);
            }
            return TRUE;
        case CB_GETDROPPEDSTATE:
            return list_.IsOpen();
        default:
            return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void ComboBox::Paint(HDC dc, const RECT& client) {
    using gdi::PocketPcPainter;
    const bool enabled = IsWindowEnabled(hwnd_);
    PocketPcPainter::DrawFrame(dc, client, GetSysColor(COLOR_WINDOWFRAME));
    const RECT field = FieldTextRect();
    if (!IsEditable()) {
        // The selected item, highlighted while the combo box has the focus and no list.
        const bool highlighted = focused_ && !list_.IsOpen();
        PocketPcPainter::FillSolid(dc, field,
                                   GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        if (items_.IsValid(selection_)) {
            const int previousMode = SetBkMode(dc, TRANSPARENT);
            const COLORREF previousColor =
                SetTextColor(dc, GetSysColor(!enabled      ? COLOR_GRAYTEXT
                                             : highlighted ? COLOR_HIGHLIGHTTEXT
                                                           : COLOR_WINDOWTEXT));
            RECT textRect{field.left + 2, field.top, field.right - 1, field.bottom};
            const std::u16string& selected = items_.At(selection_).text;
            DrawTextW(dc, selected.c_str(), static_cast<int>(selected.size()), &textRect,
                      DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            SetTextColor(dc, previousColor);
            SetBkMode(dc, previousMode);
        }
    }
    PocketPcPainter::DrawDropDownButton(dc, ButtonRect(), list_.IsOpen(), enabled);
}

}  // namespace platform::controls
