#include "shell/menu_bar.h"

#include <aygshell.h>
#include <winuser.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "kernel/text/utf8.h"
#include "shell/shell_messages.h"
#include "shell/shell_painter.h"
#include "shell/shell_windows.h"
#include "user/screen_geometry.h"

namespace platform::shell {

namespace {

constexpr const WCHAR* kMenuBarClass = u"MenuBar";
constexpr int kBarHeight = user::kNavigationBarHeight;
constexpr LONG kInputPanelButtonWidth = 32;
constexpr LONG kTextPadding = 8;
constexpr LONG kMinimumTextButtonWidth = 36;
constexpr LONG kImagePadding = 6;

HFONT BarFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

HWND MenuBar::Create(MenuBarContents contents) {
    if (!RegisterShellWindowClass<MenuBar>(kMenuBarClass)) {
        if (contents.images) {
            DeleteObject(contents.images);
        }
        return nullptr;
    }
    HWND bar = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, kMenuBarClass, nullptr, WS_POPUP,
                               0, user::kScreenHeight - kBarHeight, user::kScreenWidth, kBarHeight,
                               contents.parent, nullptr, nullptr, &contents);
    // The bar takes the strip at WM_NCCREATE; a creation that failed before is left with it.
    if (contents.images) {
        DeleteObject(contents.images);
    }
    if (!bar) {
        return nullptr;
    }
    SendMessageW(bar, kFollowActiveWindowMessage, 0, 0);
    return bar;
}

MenuBar::MenuBar(HWND window, const CREATESTRUCTW& create) : ShellWindow(window) {
    auto& contents = *static_cast<MenuBarContents*>(create.lpCreateParams);
    parent_ = contents.parent;
    owner_ = GetWindow(window_, GW_OWNER);
    items_ = std::move(contents.items);
    images_ = std::exchange(contents.images, nullptr);
    if (images_) {
        BITMAP bitmap{};
        GetObjectW(images_, sizeof(bitmap), &bitmap);
        imageSize_ = SIZE{bitmap.bmWidth / std::max(contents.imageCount, 1), bitmap.bmHeight};
    }
    Layout();
    ShellWindows::Instance().AddFollower(window_);
}

MenuBar::~MenuBar() {
    ShellWindows::Instance().RemoveFollower(window_);
    if (images_) {
        DeleteObject(images_);
    }
}

void MenuBar::Layout() {
    HDC dc = GetDC(window_);
    HGDIOBJ previous = SelectObject(dc, BarFont());
    LONG left = 0;
    for (const MenuBarItem& item : items_) {
        LONG width = imageSize_.cx + 2 * kImagePadding;
        if (!item.image) {
            SIZE text{};
            GetTextExtentPoint32W(dc, item.text.data(), static_cast<int>(item.text.size()), &text);
            width = std::max(text.cx + 2 * kTextPadding, kMinimumTextButtonWidth);
        }
        itemRects_.push_back(RECT{left, 1, left + width, kBarHeight});
        left += width + 1;
    }
    SelectObject(dc, previous);
    ReleaseDC(window_, dc);
}

std::optional<LRESULT> MenuBar::OnClassMessage(UINT message, WPARAM) {
    if (message == kFollowActiveWindowMessage) {
        OnFollowActiveWindow();
        return 0;
    }
    return std::nullopt;
}

RECT MenuBar::ButtonRect(int index) const {
    if (index == kInputPanelButton) {
        return RECT{user::kScreenWidth - kInputPanelButtonWidth, 1, user::kScreenWidth, kBarHeight};
    }
    return itemRects_[static_cast<std::size_t>(index)];
}

int MenuBar::ButtonAt(POINT point) const {
    const RECT panelButton = ButtonRect(kInputPanelButton);
    if (PtInRect(&panelButton, point)) {
        return kInputPanelButton;
    }
    for (std::size_t index = 0; index < itemRects_.size(); ++index) {
        if (PtInRect(&itemRects_[index], point) && items_[index].enabled) {
            return static_cast<int>(index);
        }
    }
    return kNone;
}

void MenuBar::Paint(HDC dc) {
    RECT client{};
    GetClientRect(window_, &client);
    ShellPainter::FillMenuBar(dc, client);
    for (std::size_t index = 0; index < items_.size(); ++index) {
        const MenuBarItem& item = items_[index];
        const RECT& rect = itemRects_[index];
        const bool pressed = pressed_ == static_cast<int>(index);
        ShellPainter::DrawBarButtonFace(dc, rect, pressed);
        if (item.image) {
            DrawImage(dc, rect, *item.image);
        } else {
            const int color = pressed        ? COLOR_HIGHLIGHTTEXT
                              : item.enabled ? COLOR_BTNTEXT
                                             : COLOR_GRAYTEXT;
            ShellPainter::DrawLabel(dc, rect, item.text, GetSysColor(color), BarFont(), DT_CENTER);
        }
    }
    const RECT panelButton = ButtonRect(kInputPanelButton);
    const bool panelPressed = pressed_ == kInputPanelButton;
    ShellPainter::DrawBarButtonFace(dc, panelButton, panelPressed);
    ShellPainter::DrawKeyboardGlyph(
        dc, panelButton, GetSysColor(panelPressed ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
}

void MenuBar::DrawImage(HDC dc, const RECT& rect, int image) const {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, images_);
    const int x = (rect.left + rect.right - imageSize_.cx) / 2;
    const int y = (rect.top + rect.bottom - imageSize_.cy) / 2;
    BitBlt(dc, x, y, imageSize_.cx, imageSize_.cy, source, image * imageSize_.cx, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

void MenuBar::OnFollowActiveWindow() {
    const bool show = owner_ && GetActiveWindow() == owner_;
    if (show != static_cast<bool>(IsWindowVisible(window_))) {
        ShowWindow(window_, show ? SW_SHOWNA : SW_HIDE);
    }
}

void MenuBar::OnStylusDown(POINT point) {
    pressed_ = ButtonAt(point);
    if (pressed_ != kNone) {
        SetCapture(window_);
        const RECT rect = ButtonRect(pressed_);
        InvalidateRect(window_, &rect, FALSE);
    }
}

void MenuBar::OnStylusUp(POINT point) {
    const int pressed = std::exchange(pressed_, kNone);
    if (pressed == kNone) {
        return;
    }
    ReleaseCapture();
    const RECT rect = ButtonRect(pressed);
    InvalidateRect(window_, &rect, FALSE);
    if (ButtonAt(point) != pressed) {
        return;
    }
    if (pressed == kInputPanelButton) {
        if (HWND panel = ShellWindows::Instance().InputPanel()) {
            SendMessageW(panel, kSipRequestMessage, IsWindowVisible(panel) ? SIP_FORCEDOWN : SIP_UP,
                         0);
        }
        return;
    }
    // Posted: the parent may destroy the bar in its handler.
    PostMessageW(parent_, WM_COMMAND,
                 MAKEWPARAM(items_[static_cast<std::size_t>(pressed)].command, 0), 0);
}

void MenuBar::DescribeContent(nlohmann::json& content) {
    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    const auto screenRect = [&](RECT rect) {
        return nlohmann::json{{"left", rect.left + origin.x},
                              {"top", rect.top + origin.y},
                              {"right", rect.right + origin.x},
                              {"bottom", rect.bottom + origin.y}};
    };
    auto buttons = nlohmann::json::array();
    for (std::size_t index = 0; index < items_.size(); ++index) {
        const MenuBarItem& item = items_[index];
        buttons.push_back({{"command", item.command},
                           {"text", kernel::EncodeUtf8(item.text).text},
                           {"image", item.image ? nlohmann::json(*item.image) : nlohmann::json()},
                           {"enabled", item.enabled},
                           {"rect", screenRect(itemRects_[index])}});
    }
    content["buttons"] = std::move(buttons);
    content["inputPanelButton"] = screenRect(ButtonRect(kInputPanelButton));
}

}  // namespace platform::shell
