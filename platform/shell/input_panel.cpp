#include "shell/input_panel.h"

#include <aygshell.h>
#include <winuser.h>

#include <nlohmann/json.hpp>

#include "shell/shell_messages.h"
#include "shell/shell_painter.h"
#include "shell/soft_keyboard_layout.h"
#include "user/input/input_sink.h"
#include "user/screen_geometry.h"

namespace platform::shell {

namespace {

constexpr const WCHAR* kInputPanelClass = u"InputPanel";
constexpr int kPanelHeight = 80;
// The panel sits on the menu bar, which is as tall as the navigation bar.
constexpr int kPanelTop = user::kScreenHeight - user::kNavigationBarHeight - kPanelHeight;

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
    if (!RegisterShellWindowClass<InputPanel>(kInputPanelClass)) {
        return nullptr;
    }
    return CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, kInputPanelClass, nullptr, WS_POPUP, 0,
                           kPanelTop, user::kScreenWidth, kPanelHeight, nullptr, nullptr, nullptr,
                           nullptr);
}

InputPanel::InputPanel(HWND window, const CREATESTRUCTW&) : ShellWindow(window) {}

std::optional<LRESULT> InputPanel::OnClassMessage(UINT message, WPARAM wParam) {
    if (message == kSipRequestMessage) {
        OnSipRequest(static_cast<int>(wParam));
        return TRUE;
    }
    if (message == kLowerInputPanelMessage) {
        OnLowerRequest(wParam);
        return 0;
    }
    return std::nullopt;
}

void InputPanel::Paint(HDC dc) {
    for (const SoftKey& key : SoftKeyboardLayout::Keys()) {
        const bool lit = &key == pressed_ || (key.action == KeyAction::Shift && shift_);
        ShellPainter::DrawKey(dc, SoftKeyboardLayout::KeyRect(key),
                              SoftKeyboardLayout::Label(key, shift_), lit);
    }
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

void InputPanel::DescribeContent(nlohmann::json& content) {
    content["inputPanel"] = IsWindowVisible(window_) ? "up" : "down";
    content["shift"] = shift_;
}

}  // namespace platform::shell
