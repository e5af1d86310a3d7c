// Window classes: RegisterClassW and its companions.
#include <windows.h>
#include <winuser.h>

#include "user/text_copy.h"
#include "user/window_manager.h"

using platform::user::WindowManager;

extern "C" ATOM WINAPI RegisterClassW(const WNDCLASSW* lpWndClass) {
    if (!lpWndClass) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto lock = WindowManager::Instance().Lock();
    const auto windowClass = WindowManager::Instance().Classes().Register(*lpWndClass);
    return windowClass ? windowClass->atom : 0;
}

extern "C" BOOL WINAPI UnregisterClassW(LPCWSTR lpClassName, HINSTANCE) {
    auto lock = WindowManager::Instance().Lock();
    return WindowManager::Instance().Classes().Unregister(lpClassName);
}

extern "C" BOOL WINAPI GetClassInfoW(HINSTANCE, LPCWSTR lpClassName, LPWNDCLASSW lpWndClass) {
    if (!lpWndClass) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto lock = WindowManager::Instance().Lock();
    const auto windowClass = WindowManager::Instance().Classes().Find(lpClassName);
    if (!windowClass) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    // The name pointer stays valid while the class is registered, as on Windows.
    *lpWndClass = WNDCLASSW{windowClass->style,           windowClass->procedure,
                            windowClass->classExtraBytes, windowClass->windowExtraBytes,
                            windowClass->instance,        windowClass->icon,
                            windowClass->cursor,          windowClass->background,
                            windowClass->menuName,        windowClass->name.c_str()};
    return TRUE;
}

extern "C" int WINAPI GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount) {
    if (!lpClassName || nMaxCount <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto lock = WindowManager::Instance().Lock();
    const auto window = platform::user::FindOrFail(hWnd);
    if (!window || !window->windowClass) {
        return 0;
    }
    return platform::user::CopyTextToBuffer(window->windowClass->name, lpClassName, nMaxCount);
}
