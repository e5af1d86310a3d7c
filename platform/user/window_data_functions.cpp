// GetWindowLongW and its companions. Pointer-sized fields (the procedure, user data,
// instance, parent, id) go through the ...Ptr functions; the 32-bit functions refuse the
// procedure, which would not survive the cut to 32 bits.
#include <windows.h>
#include <winuser.h>

#include <cstring>

#include "user/window_manager.h"

using platform::user::Window;

namespace {

// The extra bytes at `offset`, if `size` bytes fit there.
std::uint8_t* ExtraBytesAt(Window& window, int offset, std::size_t size) {
    if (offset < 0 || static_cast<std::size_t>(offset) + size > window.extraBytes.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return nullptr;
    }
    return window.extraBytes.data() + offset;
}

template <typename Value>
bool ReadField(Window& window, int index, Value& value) {
    switch (index) {
        case GWLP_WNDPROC:
            value = static_cast<Value>(reinterpret_cast<LONG_PTR>(window.procedure));
            return true;
        case GWLP_HINSTANCE:
            value = static_cast<Value>(reinterpret_cast<LONG_PTR>(window.instance));
            return true;
        case GWLP_HWNDPARENT:
            value = static_cast<Value>(reinterpret_cast<LONG_PTR>(
                window.style & WS_CHILD ? window.parent->handle : window.owner));
            return true;
        case GWLP_ID:
            value = static_cast<Value>(window.id);
            return true;
        case GWLP_USERDATA:
            value = static_cast<Value>(window.userData);
            return true;
        case GWL_STYLE:
            value = static_cast<Value>(window.style);
            return true;
        case GWL_EXSTYLE:
            value = static_cast<Value>(window.exStyle);
            return true;
        default:
            if (const auto* bytes = ExtraBytesAt(window, index, sizeof(Value))) {
                std::memcpy(&value, bytes, sizeof(Value));
                return true;
            }
            return false;
    }
}

// Returns the field's previous value through `previous`.
template <typename Value>
bool WriteField(Window& window, int index, Value value, Value& previous) {
    if (!ReadField(window, index, previous)) {
        return false;
    }
    switch (index) {
        case GWLP_WNDPROC:
            window.procedure = reinterpret_cast<WNDPROC>(static_cast<LONG_PTR>(value));
            return true;
        case GWLP_HINSTANCE:
            window.instance = reinterpret_cast<HINSTANCE>(static_cast<LONG_PTR>(value));
            return true;
        case GWLP_HWNDPARENT:
            // FIXME: re-parenting is not offered; nothing in the program changes parents.
            SetLastError(ERROR_INVALID_INDEX);
            return false;
        case GWLP_ID:
            window.id = static_cast<LONG_PTR>(value);
            return true;
        case GWLP_USERDATA:
            window.userData = static_cast<LONG_PTR>(value);
            return true;
        case GWL_STYLE:
            window.style = static_cast<DWORD>(value);
            return true;
        case GWL_EXSTYLE:
            window.exStyle = static_cast<DWORD>(value);
            return true;
        default:
            if (auto* bytes = ExtraBytesAt(window, index, sizeof(Value))) {
                std::memcpy(bytes, &value, sizeof(Value));
                return true;
            }
            return false;
    }
}

bool IsPointerOnly(int index) {
    return index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT;
}

template <typename Value>
Value GetField(HWND hwnd, int index) {
    auto lock = platform::user::WindowManager::Instance().Lock();
    const auto window = platform::user::FindOrFail(hwnd);
    Value value = 0;
    if (!window || (sizeof(Value) < sizeof(LONG_PTR) && IsPointerOnly(index))) {
        if (window) {
            SetLastError(ERROR_INVALID_INDEX);
        }
        return 0;
    }
    SetLastError(ERROR_SUCCESS);
    return ReadField(*window, index, value) ? value : 0;
}

template <typename Value>
Value SetField(HWND hwnd, int index, Value newValue) {
    auto lock = platform::user::WindowManager::Instance().Lock();
    const auto window = platform::user::FindOrFail(hwnd);
    Value previous = 0;
    if (!window || (sizeof(Value) < sizeof(LONG_PTR) && IsPointerOnly(index))) {
        if (window) {
            SetLastError(ERROR_INVALID_INDEX);
        }
        return 0;
    }
    SetLastError(ERROR_SUCCESS);
    return WriteField(*window, index, newValue, previous) ? previous : 0;
}

}  // namespace

extern "C" LONG WINAPI GetWindowLongW(HWND hWnd, int nIndex) {
    return GetField<LONG>(hWnd, nIndex);
}

extern "C" LONG WINAPI SetWindowLongW(HWND hWnd, int nIndex, LONG dwNewLong) {
    return SetField<LONG>(hWnd, nIndex, dwNewLong);
}

extern "C" LONG_PTR WINAPI GetWindowLongPtrW(HWND hWnd, int nIndex) {
    return GetField<LONG_PTR>(hWnd, nIndex);
}

extern "C" LONG_PTR WINAPI SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    return SetField<LONG_PTR>(hWnd, nIndex, dwNewLong);
}

extern "C" LRESULT WINAPI CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam,
                                          LPARAM lParam) {
    if (!lpPrevWndFunc) {
        return 0;
    }
    return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}
