#include "shell/input_panel.h"

#include <aygshell.h>
#include <winuser.h>

#include <nlohmann/json.hpp>

#include "shell/object_window.h"
#include "shell/shell_messages.h"
#include "shell/shell_painter.h"
#include "shell/soft_keyboard_layout.h"
#include "user/input_sink.h"
#include "user/screen_geometry.h"
#include "user/window_dump.h"

namespace platform::shell {

namespace {

constexpr const WCHAR* kClassName = u"InputPanel";
constexpr int kPanelHeight = 80;
// The panel sits on the menu bar, which is as tall as the navigation bar.
constexpr int kPanelTop = user::kScreenHeight - user::kNavigationBarHeight - kPanelHeight;

POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
}

void PressAndRelease(UINT virtualKey) {
    user::PostKey(virtualKey, true);
    user::PostKey(virtualKey, false);
}

UINT VirtualKeyOf(char16_t character) {
    if (character >= u'a' && character <= u'z') {
        return character - u'a' + 'A';
    }
    if (character >= u'0' && character <= u'9') {
        return character;
    }
    return 0;
}

}  // namespace

HWND InputPanel::Create() {
    if (!RegisterObjectWindowClass<InputPanel>(kClassName)) {
        return nullptr;
    }
    return CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, kClassName, nullptr, WS_POPUP, 0,
                           kPanelTop, user::kScreenWidth, kPanelHeight, nullptr, nullptr, nullptr,
                           nullptr);
}

InputPanel::InputPanel(HWND window, const CREATESTRUCTW&) : window_(window) {}

LRESULT InputPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case kSipRequestMessage:
            OnSipRequest(static_cast<int>(wParam));
            return TRUE;
        case kLowerInputPanelMessage:
            OnLowerRequest(wParam);
            return 0;
        case WM_LBUTTONDOWN:
            OnStylusDown(PointOf(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnStylusUp(PointOf(lParam));
            return 0;
        case user::kDumpContentMessage:
            return OnDumpContent(lParam);
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void InputPanel::OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window_, &paint);
    if (!dc) {
        return;
    }
    for (const SoftKey& key : SoftKeyboardLayout::Keys()) {
        const bool lit = &key == pressed_ || (key.action == KeyAction::Shift && shift_);
        ShellPainter::DrawKey(dc, SoftKeyboardLayout::KeyRect(key),
                              SoftKeyboardLayout::Label(key, shift_), lit);
    }
    EndPaint(window_, &paint);
}

void InputPanel::OnSipRequest(int state) {
    ++requestCount_;
    switch (state) {
        case SIP_UP:
            Raise();
            break;
        case SIP_DOWN:
            PostMessageW(window_, kLowerInputPanelMessage, requestCount_, 0);
            break;
        case SIP_FORCEDOWN:
            Lower();
            break;
        default:
            break;
    }
}

void InputPanel::OnLowerRequest(WPARAM requestCount) {
    if (requestCount == requestCount_) {
        Lower();
    }
}

void InputPanel::Raise() {
    ShowWindow(window_, SW_SHOWNA);
}

void InputPanel::Lower() {
    if (pressed_) {
        pressed_ = nullptr;
        ReleaseCapture();
    }
    ShowWindow(window_, SW_HIDE);
}

void InputPanel::OnStylusDown(POINT point) {
    pressed_ = SoftKeyboardLayout::KeyAt(point);
    if (pressed_) {
        SetCapture(window_);
        InvalidateKey(pressed_);
    }
}

void InputPanel::OnStylusUp(POINT point) {
    const SoftKey* pressed = pressed_;
    if (!pressed) {
        return;
    }
    pressed_ = nullptr;
    ReleaseCapture();
    InvalidateKey(pressed);
    if (SoftKeyboardLayout::KeyAt(point) == pressed) {
        Type(*pressed);
    }
}

void InputPanel::Type(const SoftKey& key) {
    switch (key.action) {
        case KeyAction::Shift:
            shift_ = !shift_;
            InvalidateRect(window_, nullptr, FALSE);
            return;
        case KeyAction::Backspace:
            PressAndRelease(VK_BACK);
            return;
        case KeyAction::Enter:
            PressAndRelease(VK_RETURN);
            return;
        case KeyAction::Space:
            PressAndRelease(VK_SPACE);
            return;
        case KeyAction::Character:
            break;
    }
    if (const UINT virtualKey = VirtualKeyOf(key.normal)) {
        if (shift_) {
            user::PostKey(VK_SHIFT, true);
        }
        PressAndRelease(virtualKey);
        if (shift_) {
            user::PostKey(VK_SHIFT, false);
        }
    } else {
        user::PostChar(shift_ ? key.shifted : key.normal);
    }
    if (shift_) {
        shift_ = false;
        InvalidateRect(window_, nullptr, FALSE);
    }
}

void InputPanel::InvalidateKey(const SoftKey* key) {
    const RECT rect = SoftKeyboardLayout::KeyRect(*key);
    InvalidateRect(window_, &rect, FALSE);
}

LRESULT InputPanel::OnDumpContent(LPARAM content) {
    auto& json = *reinterpret_cast<nlohmann::json*>(content);
    json["inputPanel"] = IsWindowVisible(window_) ? "up" : "down";
    json["shift"] = shift_;
    return 1;
}

}  // namespace platform::shell
