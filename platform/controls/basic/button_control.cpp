#include "controls/basic/button_control.h"

#include "controls/control_parent.h"
#include "controls/control_window.h"

namespace platform::controls {

void RegisterButtonClass() {
    ControlWindow<ButtonControl>::Register(u"Button");
}

ButtonControl::ButtonControl(HWND hwnd, const CREATESTRUCTW& /*create*/) : hwnd_(hwnd) {}

LRESULT ButtonControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE:
            return DialogCode();
        case WM_LBUTTONDOWN:
            OnLButtonDown();
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(PointFromParam(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp(PointFromParam(lParam));
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(wParam);
            return 0;
        case WM_KEYUP:
            OnKeyUp(wParam);
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureChanged();
            return 0;
        case WM_SETFOCUS:
            OnSetFocus();
            return 0;
        case WM_KILLFOCUS:
            OnKillFocus();
            return 0;
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcW(hwnd_, message, wParam, lParam);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return result;
        }
        case BM_GETCHECK:
            return static_cast<LRESULT>(check_);
        case BM_SETCHECK:
            SetCheck(wParam);
            return 0;
        case BM_GETSTATE:
            return State();
        case BM_SETSTATE:
            SetPushed(wParam != 0);
            return 0;
        case BM_SETSTYLE:
            SetStyle(static_cast<DWORD>(wParam), LOWORD(lParam) != 0);
            return 0;
        case BM_CLICK:
            SendMessageW(hwnd_, WM_LBUTTONDOWN, 0, 0);
            SendMessageW(hwnd_, WM_LBUTTONUP, 0, 0);
            return 0;
        default:
            return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

ButtonControl::Kind ButtonControl::ButtonKind() const {
    switch (GetWindowLongW(hwnd_, GWL_STYLE) & BS_TYPEMASK) {
        case BS_DEFPUSHBUTTON:
            return Kind::DefaultPushButton;
        case BS_CHECKBOX:
            return Kind::CheckBox;
        case BS_AUTOCHECKBOX:
            return Kind::AutoCheckBox;
        case BS_GROUPBOX:
            return Kind::GroupBox;
        default:
            // FIXME: radio buttons and owner-drawn buttons act as push buttons; no
            // dialog of the program uses them.
            return Kind::PushButton;
    }
}

bool ButtonControl::IsCheckBox() const {
    const Kind kind = ButtonKind();
    return kind == Kind::CheckBox || kind == Kind::AutoCheckBox;
}

UINT ButtonControl::DialogCode() const {
    switch (ButtonKind()) {
        case Kind::PushButton:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case Kind::DefaultPushButton:
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case Kind::GroupBox:
            return DLGC_STATIC;
        default:
            return DLGC_BUTTON;
    }
}

void ButtonControl::OnLButtonDown() {
    if (ButtonKind() == Kind::GroupBox) {
        return;  // a frame, not something to press
    }
    if (GetFocus() != hwnd_) {
        SetFocus(hwnd_);
    }
    SetCapture(hwnd_);
    pressing_ = true;
    SetPushed(true);
}

void ButtonControl::OnMouseMove(POINT point) {
    if (!pressing_ || GetCapture() != hwnd_) {
        return;
    }
    RECT client{};
    GetClientRect(hwnd_, &client);
    SetPushed(PtInRect(&client, point) != FALSE);
}

void ButtonControl::OnLButtonUp(POINT point) {
    if (!pressing_) {
        return;
    }
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (!PtInRect(&client, point)) {
        SetPushed(false);
    }
    EndPress();
}

void ButtonControl::OnKeyDown(WPARAM key) {
    if (key != VK_SPACE || pressing_ || ButtonKind() == Kind::GroupBox) {
        return;
    }
    pressing_ = true;
    SetPushed(true);
}

void ButtonControl::OnKeyUp(WPARAM key) {
    if (key == VK_SPACE && pressing_) {
        EndPress();
    }
}

void ButtonControl::EndPress() {
    pressing_ = false;
    const bool clicked = pushed_;
    SetPushed(false);
    if (clicked && ButtonKind() == Kind::AutoCheckBox) {
        SendMessageW(hwnd_, BM_SETCHECK, check_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
    }
    if (GetCapture() == hwnd_) {
        ReleaseCapture();
    }
    if (clicked) {
        NotifyParent(hwnd_, BN_CLICKED);
    }
}

void ButtonControl::OnCaptureChanged() {
    // Another window took the stylus (a menu, a dialog): the press is abandoned.
    if (pressing_) {
        pressing_ = false;
        SetPushed(false);
    }
}

void ButtonControl::OnSetFocus() {
    focused_ = true;
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (GetWindowLongW(hwnd_, GWL_STYLE) & BS_NOTIFY) {
        NotifyParent(hwnd_, BN_SETFOCUS);
    }
}

void ButtonControl::OnKillFocus() {
    focused_ = false;
    if (pressing_) {
        pressing_ = false;
        SetPushed(false);
        if (GetCapture() == hwnd_) {
            ReleaseCapture();
        }
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (GetWindowLongW(hwnd_, GWL_STYLE) & BS_NOTIFY) {
        NotifyParent(hwnd_, BN_KILLFOCUS);
    }
}

void ButtonControl::SetCheck(WPARAM state) {
    if (!IsCheckBox()) {
        return;
    }
    // A two-state box shows an indeterminate request as checked.
    const WPARAM check = state == BST_UNCHECKED ? BST_UNCHECKED : BST_CHECKED;
    if (check != check_) {
        check_ = check;
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

void ButtonControl::SetPushed(bool pushed) {
    if (pushed != pushed_) {
        pushed_ = pushed;
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

void ButtonControl::SetStyle(DWORD kind, bool redraw) {
    const auto style = static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE));
    SetWindowLongW(hwnd_, GWL_STYLE,
                   static_cast<LONG>((style & ~BS_TYPEMASK) | (kind & BS_TYPEMASK)));
    if (redraw) {
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

LRESULT ButtonControl::State() const {
    return static_cast<LRESULT>(check_) | (pushed_ ? BST_PUSHED : 0) | (focused_ ? BST_FOCUS : 0);
}

void ButtonControl::Dump(nlohmann::json& content) const {
    switch (ButtonKind()) {
        case Kind::PushButton:
            content["kind"] = "pushButton";
            break;
        case Kind::DefaultPushButton:
            content["kind"] = "defaultPushButton";
            break;
        case Kind::GroupBox:
            content["kind"] = "groupBox";
            return;
        default:
            content["kind"] = "checkBox";
            content["checkState"] = check_ == BST_CHECKED ? "checked" : "unchecked";
            break;
    }
    content["pushed"] = pushed_;
}

}  // namespace platform::controls
