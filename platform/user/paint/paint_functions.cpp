// Invalidation, WM_PAINT's BeginPaint and EndPaint, and device contexts on windows.
// A paint's device context is clipped to what the window can show of its update region;
// GetDC's to all it can show of its client area.
#include <windows.h>
#include <wingdi.h>
#include <winuser.h>

#include "gdi/screen_dc.h"
#include "user/paint/painting.h"
#include "user/paint/update_region.h"
#include "user/screen_geometry.h"
#include "user/window_manager.h"
#include "user/window_tree.h"

using platform::user::Region;
using platform::user::WindowManager;

namespace {

struct PendingPaint {
    HDC hdc = nullptr;
    RECT bounds{};
    bool erase = false;
    bool frame = false;
};

// Takes the window's update region (it is valid from now on) and makes a device context
// clipped to the part of it that can be seen.
PendingPaint TakeUpdate(HWND hwnd) {
    PendingPaint paint;
    POINT origin{};
    Region clip;
    {
        auto lock = WindowManager::Instance().Lock();
        const auto window = platform::user::FindOrFail(hwnd);
        if (!window) {
            return paint;
        }
        Region update = window->update;
        update.IntersectWith(platform::user::ClientRect(*window));
        paint.bounds = update.Bounds();
        paint.erase = window->eraseNeeded;
        paint.frame = window->frameNeedsPaint;
        window->frameNeedsPaint = false;
        platform::user::ValidateClientArea(*window, nullptr);
        origin = platform::user::ClientOrigin(*window);
        update.Offset(origin.x, origin.y);
        clip = platform::user::VisibleRegion(*window, true);
        clip.IntersectWith(update);
    }
    paint.hdc = platform::gdi::CreateScreenDC(origin, clip.Rects());
    return paint;
}

void PaintPendingTree(HWND hwnd) {
    bool paint = false;
    std::vector<HWND> children;
    {
        auto lock = WindowManager::Instance().Lock();
        const auto window = WindowManager::Instance().Find(hwnd);
        if (!window || !platform::user::IsShown(*window)) {
            return;
        }
        paint = platform::user::NeedsPaint(*window);
        for (const auto& child : window->children) {
            children.push_back(child->handle);
        }
    }
    if (paint) {
        SendMessageW(hwnd, WM_PAINT, 0, 0);
    }
    for (HWND child : children) {
        PaintPendingTree(child);
    }
}

}  // namespace

namespace platform::user {

void PaintBorder(HWND hwnd) {
    RECT screen{};
    Region clip;
    {
        auto lock = WindowManager::Instance().Lock();
        const auto window = WindowManager::Instance().Find(hwnd);
        if (!window || BorderWidth(*window) == 0) {
            return;
        }
        screen = WindowScreenRect(*window);
        clip = VisibleRegion(*window, false);
        clip.Subtract(ClientScreenRect(*window));
    }
    const HDC hdc = gdi::CreateScreenDC(POINT{screen.left, screen.top}, clip.Rects());
    const RECT frame{0, 0, screen.right - screen.left, screen.bottom - screen.top};
    const HBRUSH brush = GetSysColorBrush(COLOR_WINDOWFRAME);
    const RECT edges[] = {{0, 0, frame.right, 1},
                          {0, frame.bottom - 1, frame.right, frame.bottom},
                          {0, 0, 1, frame.bottom},
                          {frame.right - 1, 0, frame.right, frame.bottom}};
    for (const RECT& edge : edges) {
        FillRect(hdc, &edge, brush);
    }
    gdi::DeleteScreenDC(hdc);
}

}  // namespace platform::user

extern "C" BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
    auto& manager = WindowManager::Instance();
    auto lock = manager.Lock();
    if (!hWnd) {
        // The whole screen: every window repaints.
        platform::user::InvalidateExposedArea(platform::user::kScreenRect, nullptr);
        return TRUE;
    }
    const auto window = platform::user::FindOrFail(hWnd);
    if (!window) {
        return FALSE;
    }
    const Region area(lpRect ? *lpRect : platform::user::ClientRect(*window));
    platform::user::InvalidateClientArea(*window, area, bErase);
    return TRUE;
}

extern "C" BOOL WINAPI ValidateRect(HWND hWnd, const RECT* lpRect) {
    auto lock = WindowManager::Instance().Lock();
    const auto window = platform::user::FindOrFail(hWnd);
    if (!window) {
        return FALSE;
    }
    platform::user::ValidateClientArea(*window, lpRect);
    return TRUE;
}

extern "C" BOOL WINAPI GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase) {
    bool eraseNow = false;
    bool hasUpdate = false;
    {
        auto lock = WindowManager::Instance().Lock();
        const auto window = platform::user::FindOrFail(hWnd);
        if (!window) {
            return FALSE;
        }
        Region update = window->update;
        update.IntersectWith(platform::user::ClientRect(*window));
        hasUpdate = !update.IsEmpty();
        if (lpRect) {
            *lpRect = update.Bounds();
        }
        eraseNow = bErase && hasUpdate && window->eraseNeeded;
    }
    if (eraseNow) {
        // The background is erased now and the region stays invalid for WM_PAINT.
        HDC hdc = GetDC(hWnd);
        SendMessageW(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
        ReleaseDC(hWnd, hdc);
        auto lock = WindowManager::Instance().Lock();
        if (const auto window = WindowManager::Instance().Find(hWnd)) {
            window->eraseNeeded = false;
        }
    }
    return hasUpdate;
}

extern "C" BOOL WINAPI UpdateWindow(HWND hWnd) {
    if (!IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    PaintPendingTree(hWnd);
    return TRUE;
}

extern "C" HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    if (!lpPaint) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    *lpPaint = PAINTSTRUCT{};
    PendingPaint paint = TakeUpdate(hWnd);
    if (!paint.hdc) {
        return nullptr;
    }
    if (paint.frame) {
        SendMessageW(hWnd, WM_NCPAINT, 1, 0);
    }
    lpPaint->hdc = paint.hdc;
    lpPaint->rcPaint = paint.bounds;
    if (paint.erase) {
        lpPaint->fErase =
            SendMessageW(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint.hdc), 0) == 0;
    }
    return paint.hdc;
}

extern "C" BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* lpPaint) {
    return lpPaint && platform::gdi::DeleteScreenDC(lpPaint->hdc);
}

extern "C" HDC WINAPI GetDC(HWND hWnd) {
    POINT origin{};
    Region clip(platform::user::kScreenRect);
    if (hWnd) {
        auto lock = WindowManager::Instance().Lock();
        const auto window = platform::user::FindOrFail(hWnd);
        if (!window) {
            return nullptr;
        }
        origin = platform::user::ClientOrigin(*window);
        clip = platform::user::VisibleRegion(*window, true);
    }
    return platform::gdi::CreateScreenDC(origin, clip.Rects());
}

extern "C" int WINAPI ReleaseDC(HWND, HDC hDC) {
    return platform::gdi::DeleteScreenDC(hDC) ? 1 : 0;
}
