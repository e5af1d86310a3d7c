#include "controls/combo_box/combo_box.h"

#include <wingdi.h>
#include <winuser.h>

#include <algorithm>
#include <new>

#include "controls/combo_box/combo_box_edit.h"
#include "controls/control_parent.h"
#include "kernel/text/case_folding.h"
#include "kernel/text/utf8.h"

namespace platform::controls {

namespace {

// The id Windows gives a combo box's edit child.
constexpr int kEditId = 1001;
// Space between the field's frame and its text, and between a row's text and the row.
constexpr int kFieldPadding = 8;
constexpr int kRowPadding = 4;

int Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

}  // namespace

ComboBox::ComboBox(HWND hwnd, const CREATESTRUCTW& create)
    : hwnd_(hwnd), style_(static_cast<DWORD>(create.style)), droppedHeight_(create.cy) {}

bool ComboBox::OnCreate() {
    OnFontChanged();
    if ((style_ & 3) == CBS_DROPDOWN) {
        const RECT text = FieldTextRect();
        edit_ = CreateWindowExW(
            0, u"Edit", u"",
            WS_CHILD | WS_VISIBLE | ((style_ & CBS_AUTOHSCROLL) ? ES_AUTOHSCROLL : 0), text.left,
            text.top, text.right - text.left, Height(text), hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), nullptr, nullptr);
        if (!edit_) {
            return false;
        }
        SubclassComboEdit(edit_);
    }
    FitToField();
    return true;
}

void ComboBox::OnFontChanged() {
    HDC dc = GetDC(hwnd_);
    TEXTMETRICW metrics{};
    {
        FontSelection selection(dc, font_);
        GetTextMetricsW(dc, &metrics);
    }
    ReleaseDC(hwnd_, dc);
    fieldHeight_ = metrics.tmHeight + kFieldPadding;
    rowHeight_ = metrics.tmHeight + kRowPadding;
    if (edit_) {
        SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    FitToField();
}

void ComboBox::OnEnable(bool enabled) {
    if (edit_) {
        EnableWindow(edit_, enabled);
    }
    if (!enabled) {
        CloseUp(false);
    }
}

void ComboBox::FitToField() {
    RECT window{};
    GetWindowRect(hwnd_, &window);
    if (fieldHeight_ > 0 && Height(window) != fieldHeight_) {
        // A new height from the program is the height with the list dropped.
        droppedHeight_ = Height(window);
        SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left, fieldHeight_,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (edit_) {
        const RECT text = FieldTextRect();
        MoveWindow(edit_, text.left, text.top, text.right - text.left, Height(text), TRUE);
    }
}

RECT ComboBox::ButtonRect() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    return RECT{std::max(client.left, client.right - width), client.top, client.right,
                client.bottom};
}

RECT ComboBox::FieldTextRect() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    // Inside the one-pixel frame, left of the button.
    return RECT{client.left + 1, client.top + 1, ButtonRect().left, client.bottom - 1};
}

LRESULT ComboBox::AddString(const WCHAR* text) {
    if (!text) {
        return CB_ERR;
    }
    try {
        const int index =
            (style_ & CBS_SORT) ? items_.InsertSorted(text) : *items_.Insert(-1, text);
        if (index <= selection_) {
            ++selection_;
        }
        InvalidateRect(list_.Window(), nullptr, TRUE);
        return index;
    } catch (const std::bad_alloc&) {
        Notify(static_cast<WORD>(CBN_ERRSPACE));
        return CB_ERRSPACE;
    }
}

LRESULT ComboBox::InsertString(int index, const WCHAR* text) {
    if (!text) {
        return CB_ERR;
    }
    try {
        const auto at = items_.Insert(index, text);
        if (!at) {
            return CB_ERR;
        }
        if (*at <= selection_) {
            ++selection_;
        }
        InvalidateRect(list_.Window(), nullptr, TRUE);
        return *at;
    } catch (const std::bad_alloc&) {
        Notify(static_cast<WORD>(CBN_ERRSPACE));
        return CB_ERRSPACE;
    }
}

LRESULT ComboBox::DeleteString(int index) {
    if (!items_.IsValid(index)) {
        return CB_ERR;
    }
    items_.Erase(index);
    if (index == selection_) {
        selection_ = -1;
        if (!IsEditable()) {
            ShowSelection();
        }
    } else if (index < selection_) {
        --selection_;
    }
    if (list_.IsOpen()) {
        list_.SetHighlight(selection_);
    }
    return items_.Count();
}

LRESULT ComboBox::ResetContent() {
    items_.Clear();
    selection_ = -1;
    ShowSelection();
    if (list_.IsOpen()) {
        list_.SetHighlight(-1);
    }
    return CB_OKAY;
}

LRESULT ComboBox::SetCurSel(int index) {
    selection_ = items_.IsValid(index) ? index : -1;
    ShowSelection();
    if (list_.IsOpen()) {
        list_.SetHighlight(selection_);
    }
    return selection_ >= 0 ? selection_ : CB_ERR;
}

LRESULT ComboBox::GetItemData(int index) const {
    return items_.IsValid(index) ? items_.At(index).data : CB_ERR;
}

LRESULT ComboBox::SetItemData(int index, LONG_PTR data) {
    if (!items_.IsValid(index)) {
        return CB_ERR;
    }
    items_.At(index).data = data;
    items_.At(index).dataSet = true;
    return TRUE;
}

LRESULT ComboBox::FindStringExact(int start, const WCHAR* text) const {
    if (!text) {
        return CB_ERR;
    }
    return items_.FindExact(start, text).value_or(CB_ERR);
}

LRESULT ComboBox::GetLbText(int index, WCHAR* buffer) const {
    if (!items_.IsValid(index) || !buffer) {
        return CB_ERR;
    }
    const std::u16string& text = items_.At(index).text;
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = u'\0';
    return static_cast<LRESULT>(text.size());
}

LRESULT ComboBox::GetLbTextLen(int index) const {
    return items_.IsValid(index) ? static_cast<LRESULT>(items_.At(index).text.size()) : CB_ERR;
}

void ComboBox::ShowSelection() {
    const std::u16string text = items_.IsValid(selection_) ? items_.At(selection_).text : u"";
    if (IsEditable()) {
        SetEditText(text);
    } else {
        DefWindowProcW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ComboBox::SetEditText(const std::u16string& text) {
    settingEditText_ = true;
    SetWindowTextW(edit_, text.c_str());
    settingEditText_ = false;
    DefWindowProcW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::u16string ComboBox::EditText() const {
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(edit_)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void ComboBox::Notify(WORD code) {
    NotifyParent(hwnd_, code);
}

void ComboBox::Dump(nlohmann::json& content) const {
    auto items = nlohmann::json::array();
    for (int i = 0; i < items_.Count(); ++i) {
        nlohmann::json item{{"text", kernel::EncodeUtf8(items_.At(i).text).text}};
        if (items_.At(i).dataSet) {
            item["data"] = items_.At(i).data;
        }
        items.push_back(std::move(item));
    }
    content["kind"] = IsEditable() ? "dropDown" : "dropDownList";
    content["items"] = std::move(items);
    content["selected"] = selection_;
    content["dropped"] = list_.IsOpen();
    if (list_.IsOpen()) {
        nlohmann::json list = nlohmann::json::object();
        list_.Dump(list);
        content["list"] = std::move(list);
    }
}

}  // namespace platform::controls
