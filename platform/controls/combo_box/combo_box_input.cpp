// The combo box's answers to the user: taps, keys, focus, and the dropped list. The
// notifications follow Windows' order: a choice from the list sends CBN_SELCHANGE,
// CBN_SELENDOK, then CBN_CLOSEUP once the list is gone; a list closed without a choice
// sends CBN_SELENDCANCEL and CBN_CLOSEUP; a key that moves the selection sends
// CBN_SELCHANGE alone. The program's own CB_SETCURSEL sends nothing.
#include <winuser.h>

#include <algorithm>

#include "controls/combo_box/combo_box.h"
#include "kernel/text/case_folding.h"

namespace platform::controls {

void ComboBox::OnLButtonDown(POINT point) {
    if (GetFocus() != hwnd_ && (!edit_ || GetFocus() != edit_)) {
        SetFocus(hwnd_);
    }
    const RECT button = ButtonRect();
    // The editable kind's field belongs to its edit child; only its button drops the list.
    if (!IsEditable() || PtInRect(&button, point)) {
        ToggleDropDown();
    }
}

void ComboBox::ToggleDropDown() {
    if (list_.IsOpen()) {
        CloseUp(true);
    } else {
        DropDown();
    }
}

void ComboBox::DropDown() {
    if (list_.IsOpen() || !IsWindowEnabled(hwnd_)) {
        return;
    }
    Notify(CBN_DROPDOWN);
    if (!IsWindow(hwnd_)) {
        return;  // the parent destroyed the combo box on CBN_DROPDOWN
    }
    int highlight = selection_;
    if (IsEditable()) {
        highlight = items_.FindExact(-1, EditText()).value_or(selection_);
    }
    RECT comboRect{};
    GetWindowRect(hwnd_, &comboRect);
    const int maxRows = std::max(1, (droppedHeight_ - fieldHeight_ - 2) / std::max(rowHeight_, 1));
    list_.Open(hwnd_, comboRect, maxRows, rowHeight_, font_, highlight);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ComboBox::CloseUp(bool chosen) {
    if (!list_.IsOpen()) {
        return;
    }
    Notify(chosen ? CBN_SELENDOK : CBN_SELENDCANCEL);
    list_.Close();
    InvalidateRect(hwnd_, nullptr, TRUE);
    Notify(CBN_CLOSEUP);
}

void ComboBox::OnListChoice(int index) {
    selection_ = index;
    ShowSelection();
    if (IsEditable()) {
        SendMessageW(edit_, EM_SETSEL, 0, -1);
    }
    Notify(CBN_SELCHANGE);
    CloseUp(true);
}

void ComboBox::OnListDismissed() {
    CloseUp(false);
}

void ComboBox::SelectByKey(int index) {
    if (items_.Count() == 0) {
        return;
    }
    index = std::clamp(index, 0, items_.Count() - 1);
    if (index == selection_) {
        return;
    }
    selection_ = index;
    ShowSelection();
    if (IsEditable()) {
        SendMessageW(edit_, EM_SETSEL, 0, -1);
    }
    if (list_.IsOpen()) {
        list_.SetHighlight(index);
    }
    Notify(CBN_SELCHANGE);
}

void ComboBox::OnKeyDown(UINT key) {
    const int page = list_.IsOpen() ? list_.VisibleRows() : 1;
    const int from = list_.IsOpen() ? list_.Highlight() : selection_;
    switch (key) {
        case VK_F4:
            ToggleDropDown();
            break;
        case VK_UP:
            if (GetKeyState(VK_MENU) & 0x8000) {
                ToggleDropDown();
            } else {
                SelectByKey(from < 0 ? 0 : from - 1);
            }
            break;
        case VK_DOWN:
            if (GetKeyState(VK_MENU) & 0x8000) {
                ToggleDropDown();
            } else {
                SelectByKey(from + 1);
            }
            break;
        case VK_PRIOR:
            SelectByKey(from - page);
            break;
        case VK_NEXT:
            SelectByKey(from + page);
            break;
        case VK_HOME:
            if (!IsEditable()) {
                SelectByKey(0);
            }
            break;
        case VK_END:
            if (!IsEditable()) {
                SelectByKey(items_.Count() - 1);
            }
            break;
        case VK_RETURN:
            CloseUp(true);
            break;
        case VK_ESCAPE:
            CloseUp(false);
            break;
        default:
            break;
    }
}

void ComboBox::OnChar(char16_t character) {
    // A letter picks the next item that starts with it, as in any list.
    if (IsEditable() || character < u' ' || items_.Count() == 0) {
        return;
    }
    const char16_t wanted = kernel::FoldCase(character);
    for (int step = 1; step <= items_.Count(); ++step) {
        const int index = (std::max(selection_, -1) + step) % items_.Count();
        const std::u16string& text = items_.At(index).text;
        if (!text.empty() && kernel::FoldCase(text.front()) == wanted) {
            SelectByKey(index);
            return;
        }
    }
}

void ComboBox::OnSetFocus() {
    if (IsEditable()) {
        // The edit child takes the focus; its EN_SETFOCUS makes our CBN_SETFOCUS.
        SetFocus(edit_);
        return;
    }
    focused_ = true;
    InvalidateRect(hwnd_, nullptr, TRUE);
    Notify(CBN_SETFOCUS);
}

void ComboBox::OnKillFocus() {
    if (IsEditable()) {
        return;  // the focus went to the edit child, or the edit child reports the loss
    }
    CloseUp(false);
    focused_ = false;
    InvalidateRect(hwnd_, nullptr, TRUE);
    Notify(CBN_KILLFOCUS);
}

void ComboBox::OnEditCommand(WORD code) {
    switch (code) {
        case EN_SETFOCUS:
            if (!focused_) {
                focused_ = true;
                Notify(CBN_SETFOCUS);
            }
            break;
        case EN_KILLFOCUS: {
            const HWND next = GetFocus();
            if (focused_ && next != hwnd_ && next != edit_) {
                CloseUp(false);
                focused_ = false;
                Notify(CBN_KILLFOCUS);
            }
            break;
        }
        case EN_UPDATE:
            if (!settingEditText_) {
                Notify(CBN_EDITUPDATE);
            }
            break;
        case EN_CHANGE:
            if (!settingEditText_) {
                const std::u16string text = EditText();
                DefWindowProcW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
                Notify(CBN_EDITCHANGE);
            }
            break;
        default:
            break;
    }
}

LRESULT ComboBox::DialogCode() const {
    // While the list is down, Enter and Escape close it rather than the dialog.
    return DLGC_WANTARROWS | DLGC_WANTCHARS | (list_.IsOpen() ? DLGC_WANTMESSAGE : 0);
}

}  // namespace platform::controls
