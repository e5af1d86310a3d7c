#include "controls/SubclassedControl.h"

SubclassedControl::~SubclassedControl() {
    const HWND hwnd = Handle();
    if (hwnd && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == Procedure) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    }
}

bool SubclassedControl::AttachTo(HWND control) {
    if (Handle() || !IsWindow(control) || GetWindowLongPtrW(control, GWLP_USERDATA) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure)));
    if (!previous) {
        return false;
    }
    // No message can reach the new procedure before this: both calls run on this thread
    // and nothing between them lets a sent message in.
    previous_ = previous;
    Attach(control);
    return true;
}

void SubclassedControl::NotifyParent(WORD code) const {
    const HWND hwnd = Handle();
    const auto id = static_cast<WORD>(GetWindowLongW(hwnd, GWL_ID));
    SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(hwnd));
}

LRESULT SubclassedControl::Answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                  bool handled, LRESULT result) {
    return handled ? result : CallWindowProcW(previous_, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::Procedure(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    // AttachTo refuses windows whose user data is taken, so what is kept there is ours.
    auto* control = static_cast<SubclassedControl*>(FromHandle(hwnd, GWLP_USERDATA));
    if (!control) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return control->Dispatch(hwnd, message, wParam, lParam);
}
