// DefWindowProcW: what a window does with a message its own procedure passes on.
#include <windows.h>
#include <wingdi.h>
#include <winuser.h>

#include "user/client_reports.h"
#include "user/paint/painting.h"
#include "user/shell_hook.h"
#include "user/text_copy.h"
#include "user/window_manager.h"

using platform::user::WindowManager;

namespace {

void StoreText(HWND hwnd, LPCWSTR text) {
    auto lock = WindowManager::Instance().Lock();
    if (const auto window = WindowManager::Instance().Find(hwnd)) {
        window->text = text ? std::u16string{text} : std::u16string{};
    }
}

std::u16string StoredText(HWND hwnd) {
    auto lock = WindowManager::Instance().Lock();
    const auto window = WindowManager::Instance().Find(hwnd);
    return window ? window->text : std::u16string{};
}

// Fills the update area with the class background brush; a class brush may also be a
// system colour index plus one, as on Windows.
LRESULT EraseBackground(HWND hwnd, HDC hdc) {
    HBRUSH brush = nullptr;
    {
        auto lock = WindowManager::Instance().Lock();
        const auto window = WindowManager::Instance().Find(hwnd);
        if (window && window->windowClass) {
            brush = window->windowClass->background;
        }
    }
    if (!brush) {
        return 0;
    }
    const auto value = reinterpret_cast<ULONG_PTR>(brush);
    if (value <= COLOR_WINDOWTEXT_LAST + 1) {
        brush = GetSysColorBrush(static_cast<int>(value) - 1);
    }
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(hdc, &client, brush);
    return 1;
}

// Controls ask their parent for colours. As on the handheld, dialogs and static text
// use the static colours (white in the Pocket PC scheme), edits and lists the window
// colour, and the rest the 3-D face colour.
LRESULT ControlColors(UINT message, HDC hdc) {
    int background = COLOR_3DFACE;
    int text = COLOR_WINDOWTEXT;
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) {
        background = COLOR_WINDOW;
    } else if (message == WM_CTLCOLORDLG || message == WM_CTLCOLORSTATIC) {
        background = COLOR_STATIC;
        text = COLOR_STATICTEXT;
    }
    SetTextColor(hdc, GetSysColor(text));
    SetBkColor(hdc, GetSysColor(background));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

void ReportPositionChange(HWND hwnd, const WINDOWPOS& pos) {
    if (!(pos.flags & SWP_NOCLIENTMOVE)) {
        SendMessageW(hwnd, WM_MOVE, 0, platform::user::ClientOriginParam(hwnd));
    }
    if (!(pos.flags & SWP_NOCLIENTSIZE)) {
        const WPARAM kind = IsIconic(hwnd) ? SIZE_MINIMIZED : SIZE_RESTORED;
        SendMessageW(hwnd, WM_SIZE, kind, platform::user::ClientSizeParam(hwnd));
    }
}

}  // namespace

extern "C" LRESULT WINAPI DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    switch (Msg) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            if (create && create->lpszName && !IS_INTRESOURCE(create->lpszName)) {
                StoreText(hWnd, create->lpszName);
            }
            return TRUE;
        }
        case WM_SETTEXT:
            StoreText(hWnd, reinterpret_cast<LPCWSTR>(lParam));
            platform::user::NotifyShell(platform::user::ShellEvent::TitleChanged, hWnd);
            return TRUE;
        case WM_GETTEXT:
            return platform::user::CopyTextToBuffer(
                StoredText(hWnd), reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(StoredText(hWnd).size());
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            if (BeginPaint(hWnd, &paint)) {
                EndPaint(hWnd, &paint);
            }
            return 0;
        }
        case WM_ERASEBKGND:
            return EraseBackground(hWnd, reinterpret_cast<HDC>(wParam));
        case WM_NCPAINT:
            platform::user::PaintBorder(hWnd);
            return 0;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return ControlColors(Msg, reinterpret_cast<HDC>(wParam));
        case WM_CLOSE:
            DestroyWindow(hWnd);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(hWnd)) {
                SetFocus(hWnd);
            }
            return 0;
        case WM_CANCELMODE:
            if (GetCapture() == hWnd) {
                ReleaseCapture();
            }
            return 0;
        case WM_WINDOWPOSCHANGED:
            ReportPositionChange(hWnd, *reinterpret_cast<const WINDOWPOS*>(lParam));
            return 0;
        default:
            return 0;
    }
}
