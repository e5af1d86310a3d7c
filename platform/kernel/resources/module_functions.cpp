// GetModuleHandleW and GetModuleFileNameW over the module table.
#include <windows.h>

#include <algorithm>
#include <string>

#include "kernel/resources/module_table.h"
#include "kernel/resources/resources.h"

extern "C" HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName) {
    const auto& table = platform::kernel::ModuleTable::Instance();
    if (lpModuleName == nullptr) {
        return table.Executable().Handle();
    }
    const auto* module = table.FromName(lpModuleName);
    if (module == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return module->Handle();
}

extern "C" DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
    const auto* module = platform::kernel::FindModule(hModule);
    if (module == nullptr) {
        return 0;
    }
    const std::u16string& file = module->WideFile();
    if (file.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    if (nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (lpFilename == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // As on Windows since Vista: a short buffer gets the start of the path, still
    // terminated, and the full buffer size comes back with the error.
    const DWORD copied = static_cast<DWORD>(std::min<std::size_t>(file.size(), nSize - 1));
    std::copy_n(file.begin(), copied, lpFilename);
    lpFilename[copied] = u'\0';
    if (copied < file.size()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    return copied;
}
