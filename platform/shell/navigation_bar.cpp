#include "shell/navigation_bar.h"

#include <winuser.h>

#include <array>
#include <nlohmann/json.hpp>

#include "kernel/text/utf8.h"
#include "shell/shell_messages.h"
#include "shell/shell_painter.h"
#include "shell/shell_window.h"
#include "shell/shell_windows.h"
#include "user/screen_geometry.h"

namespace platform::shell {

namespace {

constexpr const WCHAR* kNavigationBarClass = u"NavigationBar";
constexpr UINT_PTR kClockTimer = 1;
constexpr LONG kGlyphWidth = 26;
constexpr LONG kClockWidth = 40;
constexpr RECT kOkButton{user::kScreenWidth - 28, 4, user::kScreenWidth - 4, 22};

bool Contains(const RECT& rect, POINT point) {
    return PtInRect(&rect, point) != FALSE;
}

std::u16string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

}  // namespace

HWND NavigationBar::Create() {
    if (!RegisterShellWindowClass<NavigationBar>(kNavigationBarClass)) {
        return nullptr;
    }
    HWND bar = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, kNavigationBarClass, nullptr,
                               WS_POPUP, 0, 0, user::kScreenWidth, user::kNavigationBarHeight,
                               nullptr, nullptr, nullptr, nullptr);
    if (bar) {
        ShowWindow(bar, SW_SHOWNA);
    }
    return bar;
}

NavigationBar::NavigationBar(HWND window, const CREATESTRUCTW&)
    : ShellWindow(window),
      titleFont_(
          CreateFontW(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"Tahoma")) {
    ShellWindows::Instance().AddFollower(window_);
    ReadClock();
}

NavigationBar::~NavigationBar() {
    ShellWindows::Instance().RemoveFollower(window_);
    if (titleFont_) {
        DeleteObject(titleFont_);
    }
}

std::optional<LRESULT> NavigationBar::OnClassMessage(UINT message, WPARAM wParam) {
    if (message == WM_TIMER && wParam == kClockTimer) {
        OnClockTimer();
        return 0;
    }
    if (message == kFollowActiveWindowMessage) {
        OnFollowActiveWindow();
        return 0;
    }
    return std::nullopt;
}

void NavigationBar::Paint(HDC dc) {
    RECT client{};
    GetClientRect(window_, &client);
    ShellPainter::FillNavigationBar(dc, client);
    ShellPainter::DrawStartGlyph(dc, RECT{0, 0, kGlyphWidth, client.bottom});
    const RECT clock = ClockRect();
    const RECT title{kGlyphWidth + 2, 0, clock.left - 2, client.bottom};
    ShellPainter::DrawLabel(dc, title, title_, RGB(255, 255, 255), titleFont_,
                            DT_LEFT | DT_END_ELLIPSIS);
    ShellPainter::DrawLabel(dc, clock, clock_, RGB(255, 255, 255),
                            static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), DT_RIGHT);
    if (okTarget_) {
        ShellPainter::DrawOkButton(dc, kOkButton, okPressed_);
    }
}

void NavigationBar::OnClockTimer() {
    const std::u16string previous = clock_;
    ReadClock();
    if (clock_ != previous) {
        const RECT clock = ClockRect();
        InvalidateRect(window_, &clock, FALSE);
    }
}

void NavigationBar::ReadClock() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    std::array<WCHAR, 32> text{};
    const int length = GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &now, nullptr,
                                      text.data(), static_cast<int>(text.size()));
    clock_.assign(text.data(), length > 0 ? static_cast<std::size_t>(length - 1) : 0);
    // Timers are not exact: aim just past the minute's turn, so the text has changed.
    const UINT untilNextMinute = (60 - now.wSecond) * 1000 - now.wMilliseconds + 50;
    SetTimer(window_, kClockTimer, untilNextMinute, nullptr);
}

void NavigationBar::OnFollowActiveWindow() {
    auto& shell = ShellWindows::Instance();
    HWND active = GetActiveWindow();
    if (active && shell.IsShellWindow(active)) {
        active = nullptr;
    }
    const std::u16string title = active ? WindowText(active) : std::u16string{};
    const bool wantsOk =
        active && ((static_cast<DWORD>(GetWindowLongW(active, GWL_EXSTYLE)) & WS_EX_CAPTIONOKBTN) ||
                   shell.AskedForDoneButton(active));
    const HWND okTarget = wantsOk ? active : nullptr;
    if (title != title_ || okTarget != okTarget_) {
        title_ = title;
        okTarget_ = okTarget;
        okPressed_ = false;
        InvalidateRect(window_, nullptr, FALSE);
    }
}

void NavigationBar::OnStylusDown(POINT point) {
    if (okTarget_ && Contains(kOkButton, point)) {
        okPressed_ = true;
        SetCapture(window_);
        InvalidateRect(window_, &kOkButton, FALSE);
    }
}

void NavigationBar::OnStylusUp(POINT point) {
    if (!okPressed_) {
        return;
    }
    okPressed_ = false;
    ReleaseCapture();
    InvalidateRect(window_, &kOkButton, FALSE);
    if (okTarget_ && Contains(kOkButton, point)) {
        // Posted, so the dialog may end (or destroy anything) without the bar mid-message.
        PostMessageW(okTarget_, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    }
}

void NavigationBar::DescribeContent(nlohmann::json& content) {
    content["title"] = kernel::EncodeUtf8(title_).text;
    content["clock"] = kernel::EncodeUtf8(clock_).text;
    content["okButton"] = okTarget_ != nullptr;
}

RECT NavigationBar::ClockRect() const {
    const LONG right = okTarget_ ? kOkButton.left - 4 : user::kScreenWidth - 4;
    return RECT{right - kClockWidth, 0, right, user::kNavigationBarHeight};
}

}  // namespace platform::shell
