#include "controls/basic/edit_control.h"

#include <algorithm>
#include <limits>

#include "controls/control_parent.h"
#include "controls/control_window.h"
#include "controls/text_measure.h"
#include "kernel/text/utf8.h"
#include "user/text_copy.h"

namespace platform::controls {

namespace {

bool KeyIsDown(int key) {
    return GetKeyState(key) < 0;
}

}  // namespace

void RegisterEditClass() {
    ControlWindow<EditControl>::Register(u"Edit", 0, LoadCursorW(nullptr, IDC_IBEAM));
}

EditControl::EditControl(HWND hwnd, const CREATESTRUCTW& create) : hwnd_(hwnd) {
    if (create.lpszName != nullptr && !IS_INTRESOURCE(create.lpszName)) {
        buffer_.SetText(create.lpszName);
    }
}

LRESULT EditControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE:
            return DialogCode(reinterpret_cast<const MSG*>(lParam));
        case WM_SETTEXT:
            return OnSetText(reinterpret_cast<LPCWSTR>(lParam));
        case WM_GETTEXT:
            return OnGetText(reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(buffer_.Length());
        case WM_CHAR:
            OnChar(static_cast<WCHAR>(wParam));
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(wParam);
            return 0;
        case WM_LBUTTONDOWN:
            OnLButtonDown(PointFromParam(lParam), (wParam & MK_SHIFT) != 0);
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(PointFromParam(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp();
            return 0;
        case WM_CAPTURECHANGED:
            selecting_ = false;
            return 0;
        case WM_SETFOCUS:
            OnSetFocus();
            return 0;
        case WM_KILLFOCUS:
            OnKillFocus();
            return 0;
        case WM_CLEAR:
            if (!IsReadOnly() && buffer_.HasSelection()) {
                Replace({});
            }
            return 0;
        case WM_SIZE:
            InvalidateLayout();
            ScrollToCaret();
            return 0;
        case EM_GETSEL:
            return GetSelection(reinterpret_cast<DWORD*>(wParam), reinterpret_cast<DWORD*>(lParam));
        case EM_SETSEL:
            SetSelection(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
            return 0;
        case EM_REPLACESEL:
            Replace(lParam != 0 ? std::u16string_view(reinterpret_cast<LPCWSTR>(lParam))
                                : std::u16string_view());
            return 0;
        case EM_LIMITTEXT:
            SetLimit(static_cast<std::size_t>(wParam));
            return 0;
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(buffer_.Limit());
        case EM_SETREADONLY:
            SetReadOnly(wParam != 0);
            return TRUE;
        case EM_GETLINECOUNT: {
            TextMeasure measure(font_);
            EnsureLayout(measure);
            return static_cast<LRESULT>(layout_.LineCount());
        }
        case EM_LINEFROMCHAR:
            return LineFromChar(static_cast<INT_PTR>(wParam));
        case EM_LINEINDEX:
            return LineIndex(wParam);
        case EM_GETFIRSTVISIBLELINE:
            return FirstVisibleLine();
        case EM_SCROLLCARET:
            ScrollToCaret();
            return TRUE;
        default:
            return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

DWORD EditControl::Style() const {
    return static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE));
}

bool EditControl::IsInComboBox() const {
    WCHAR className[16] = {};
    const HWND parent = GetParent(hwnd_);
    return parent != nullptr && GetClassNameW(parent, className, 16) > 0 &&
           lstrcmpiW(className, u"ComboBox") == 0;
}

UINT EditControl::DialogCode(const MSG* message) const {
    UINT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if (!IsMultiLine()) {
        return code;
    }
    code |= DLGC_WANTALLKEYS;
    // In a dialog, Tab and Escape stay the dialog's, and so does Enter unless the
    // control asked for it with ES_WANTRETURN: the dialog then moves on, cancels, or
    // presses its default button.
    if (message != nullptr && message->message == WM_KEYDOWN) {
        const WPARAM key = message->wParam;
        if (key == VK_TAB || key == VK_ESCAPE || (key == VK_RETURN && !(Style() & ES_WANTRETURN))) {
            code &= ~DLGC_WANTALLKEYS;
        }
    }
    return code;
}

LRESULT EditControl::OnSetText(LPCWSTR text) {
    buffer_.SetText(text != nullptr ? std::u16string_view(text) : std::u16string_view());
    xOffset_ = 0;
    firstLine_ = 0;
    // Windows tells the parent of a single-line control's new text, but not of a
    // multi-line control's, nor of the text a combo box puts in its edit box.
    TextChanged(!IsMultiLine() && !IsInComboBox());
    return TRUE;
}

LRESULT EditControl::OnGetText(LPWSTR buffer, int capacity) const {
    return user::CopyTextToBuffer(buffer_.Text(), buffer, capacity);
}

LRESULT EditControl::GetSelection(DWORD* start, DWORD* end) const {
    const auto selectionStart = static_cast<DWORD>(buffer_.SelectionStart());
    const auto selectionEnd = static_cast<DWORD>(buffer_.SelectionEnd());
    if (start != nullptr) {
        *start = selectionStart;
    }
    if (end != nullptr) {
        *end = selectionEnd;
    }
    if (selectionStart > 0xFFFF || selectionEnd > 0xFFFF) {
        return -1;
    }
    return MAKELRESULT(selectionStart, selectionEnd);
}

void EditControl::SetSelection(UINT start, UINT end) {
    // -1 as the start removes the selection and leaves the caret; -1 (or any position
    // past the text) as the end means the end of the text. The caret goes to `end`.
    if (start == std::numeric_limits<UINT>::max()) {
        buffer_.MoveCaret(buffer_.Caret(), false);
    } else {
        buffer_.Select(start, end);
    }
    if (!IsMultiLine()) {
        ScrollToCaret();
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void EditControl::SetLimit(std::size_t limit) {
    buffer_.SetLimit(limit == 0 ? EditBuffer::kLargestLimit
                                : std::min(limit, EditBuffer::kLargestLimit));
}

void EditControl::SetReadOnly(bool readOnly) {
    const DWORD style = Style();
    SetWindowLongW(hwnd_, GWL_STYLE,
                   static_cast<LONG>(readOnly ? style | ES_READONLY : style & ~ES_READONLY));
    InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT EditControl::LineFromChar(INT_PTR position) {
    TextMeasure measure(font_);
    EnsureLayout(measure);
    const std::size_t at =
        position < 0 ? buffer_.SelectionStart()
                     : std::min<std::size_t>(static_cast<std::size_t>(position), buffer_.Length());
    return static_cast<LRESULT>(layout_.LineOf(at));
}

LRESULT EditControl::LineIndex(WPARAM line) {
    TextMeasure measure(font_);
    EnsureLayout(measure);
    const auto index = static_cast<INT_PTR>(line);
    if (index < 0) {
        return static_cast<LRESULT>(layout_.Line(layout_.LineOf(buffer_.Caret())).start);
    }
    if (static_cast<std::size_t>(index) >= layout_.LineCount()) {
        return -1;
    }
    return static_cast<LRESULT>(layout_.Line(static_cast<std::size_t>(index)).start);
}

LRESULT EditControl::FirstVisibleLine() {
    if (IsMultiLine()) {
        return static_cast<LRESULT>(firstLine_);
    }
    // A single-line control answers with its first visible character instead.
    TextMeasure measure(font_);
    EnsureLayout(measure);
    const auto width = [&measure](std::u16string_view text) { return measure.Width(text); };
    return static_cast<LRESULT>(layout_.PositionAt(0, xOffset_, width));
}

void EditControl::OnChar(WCHAR character) {
    if (IsReadOnly()) {
        return;
    }
    if (character == VK_BACK) {
        Delete(false);
    } else if (character == u'\r') {
        if (IsMultiLine()) {
            Replace(u"\r\n");
        }
    } else if (character >= u' ' && character != 0x7F) {
        Replace(std::u16string_view(&character, 1));
    }
}

void EditControl::OnKeyDown(WPARAM key) {
    const bool extend = KeyIsDown(VK_SHIFT);
    const bool wholeText = KeyIsDown(VK_CONTROL);
    TextMeasure measure(font_);
    EnsureLayout(measure);
    const auto width = [&measure](std::u16string_view text) { return measure.Width(text); };
    const std::size_t caret = buffer_.Caret();
    const std::size_t line = layout_.LineOf(caret);
    const bool collapse = buffer_.HasSelection() && !extend;
    switch (key) {
        case VK_LEFT:
            MoveCaretTo(collapse ? buffer_.SelectionStart() : buffer_.PreviousPosition(caret),
                        extend);
            break;
        case VK_RIGHT:
            MoveCaretTo(collapse ? buffer_.SelectionEnd() : buffer_.NextPosition(caret), extend);
            break;
        case VK_UP:
        case VK_DOWN: {
            const bool up = key == VK_UP;
            if (!IsMultiLine()) {
                // One line: up and down act as left and right.
                MoveCaretTo(up ? buffer_.PreviousPosition(caret) : buffer_.NextPosition(caret),
                            extend);
                break;
            }
            const std::size_t target =
                up ? (line == 0 ? 0 : line - 1) : std::min(line + 1, layout_.LineCount() - 1);
            MoveCaretTo(layout_.PositionAt(target, layout_.XOf(caret, width), width), extend);
            break;
        }
        case VK_HOME:
            MoveCaretTo(wholeText ? 0 : layout_.Line(line).start, extend);
            break;
        case VK_END: {
            const EditLine& current = layout_.Line(line);
            MoveCaretTo(wholeText ? buffer_.Length() : current.start + current.length, extend);
            break;
        }
        case VK_DELETE:
            Delete(true);
            break;
        default:
            break;
    }
}

void EditControl::MoveCaretTo(std::size_t position, bool extend) {
    buffer_.MoveCaret(position, extend);
    ScrollToCaret();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void EditControl::OnLButtonDown(POINT point, bool extend) {
    if (GetFocus() != hwnd_) {
        SetFocus(hwnd_);
    }
    SetCapture(hwnd_);
    selecting_ = true;
    MoveCaretTo(PositionAtPoint(point), extend);
}

void EditControl::OnMouseMove(POINT point) {
    if (!selecting_ || GetCapture() != hwnd_) {
        return;
    }
    const std::size_t position = PositionAtPoint(point);
    if (position != buffer_.Caret()) {
        MoveCaretTo(position, true);
    }
}

void EditControl::OnLButtonUp() {
    if (selecting_) {
        selecting_ = false;
        ReleaseCapture();
    }
}

void EditControl::OnSetFocus() {
    focused_ = true;
    InvalidateRect(hwnd_, nullptr, TRUE);
    NotifyParent(hwnd_, EN_SETFOCUS);
}

void EditControl::OnKillFocus() {
    focused_ = false;
    InvalidateRect(hwnd_, nullptr, TRUE);
    NotifyParent(hwnd_, EN_KILLFOCUS);
}

void EditControl::Replace(std::u16string_view text) {
    const EditBuffer before = buffer_;
    const EditBuffer::Replacement replacement = buffer_.ReplaceSelection(text, true);
    bool refused = replacement.cut;
    if (replacement.changed) {
        InvalidateLayout();
        TextMeasure measure(font_);
        if (!FitsWithoutScrolling(measure)) {
            buffer_ = before;
            InvalidateLayout();
            refused = true;
        }
    }
    if (refused) {
        NotifyParent(hwnd_, EN_MAXTEXT);
    }
    if (buffer_.Text() != before.Text()) {
        TextChanged(true);
    }
}

void EditControl::Delete(bool forward) {
    if (IsReadOnly()) {
        return;
    }
    if (forward ? buffer_.DeleteForward() : buffer_.DeleteBackward()) {
        TextChanged(true);
    }
}

bool EditControl::FitsWithoutScrolling(TextMeasure& measure) {
    const DWORD style = Style();
    EnsureLayout(measure);
    const RECT format = FormatRect();
    if (!IsMultiLine()) {
        return (style & ES_AUTOHSCROLL) ||
               measure.Width(buffer_.Text()) <= format.right - format.left;
    }
    return (style & (ES_AUTOVSCROLL | WS_VSCROLL)) ||
           layout_.LineCount() <= static_cast<std::size_t>(VisibleLineCount(measure));
}

void EditControl::TextChanged(bool notify) {
    InvalidateLayout();
    SyncWindowText();
    ScrollToCaret();
    // EN_UPDATE comes before the new text shows, EN_CHANGE after it is in place.
    if (notify) {
        NotifyParent(hwnd_, EN_UPDATE);
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (notify) {
        NotifyParent(hwnd_, EN_CHANGE);
    }
}

void EditControl::SyncWindowText() {
    // The window record keeps a copy for readers that do not send WM_GETTEXT (the
    // automation's window tree).
    DefWindowProcW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(buffer_.Text().c_str()));
}

void EditControl::OnFontChanged() {
    InvalidateLayout();
    ScrollToCaret();
}

void EditControl::Dump(nlohmann::json& content) const {
    content["text"] = kernel::EncodeUtf8(buffer_.Text()).text;
    content["selectionStart"] = buffer_.SelectionStart();
    content["selectionEnd"] = buffer_.SelectionEnd();
    content["caret"] = buffer_.Caret();
    content["readOnly"] = IsReadOnly();
}

}  // namespace platform::controls
