#include "program/BringForwardRunningInstance.h"

#include "program/MainFrame.h"
#include "resources/resource.h"

namespace {

// The first instance may still be making its frame: ask again for about 2.5 s.
constexpr int kAttempts = 25;
constexpr DWORD kRetryPause = 100;

}  // namespace

HRESULT BringForwardRunningInstance(HINSTANCE instance) {
    WCHAR* productName = MainFrame::ClassName();
    if (LoadStringW(instance, IDR_MAINFRAME, productName, MainFrame::kClassNameCapacity) <= 0) {
        return E_FAIL;
    }
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        HANDLE mutex = CreateMutexW(nullptr, FALSE, productName);
        const DWORD error = GetLastError();
        if (!mutex) {
            return error == ERROR_INVALID_HANDLE ? E_INVALIDARG : E_FAIL;
        }
        if (error != ERROR_ALREADY_EXISTS) {
            // Kept open for the life of the process: it is what later instances find.
            return S_OK;
        }
        CloseHandle(mutex);
        const HWND running = FindWindowW(productName, nullptr);
        if (!running) {
            Sleep(kRetryPause);
            continue;
        }
        // The low bit brings the window's owned windows (an open About box) forward too.
        const auto withOwned = reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(running) | 1);
        if (SetForegroundWindow(withOwned)) {
            return S_FALSE;
        }
    }
    return S_OK;
}
