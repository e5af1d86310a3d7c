// FindResourceW and friends, and LoadStringW. A resource handle is the entry's
// index plus one, so that no handle is null and a forged one is caught by the range
// check rather than followed.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "kernel/resources/resources.h"

namespace {

using platform::kernel::FindModule;
using platform::kernel::ResourceEntry;

HRSRC EncodeHandle(std::size_t index) {
    return reinterpret_cast<HRSRC>(static_cast<std::uintptr_t>(index + 1));
}

// The entry behind a handle from FindResourceW; ERROR_INVALID_HANDLE for any other.
const ResourceEntry* DecodeHandle(HMODULE hModule, HRSRC hResInfo) {
    const auto* module = FindModule(hModule);
    if (module == nullptr) {
        return nullptr;
    }
    const auto& entries = module->Resources().Entries();
    const auto value = reinterpret_cast<std::uintptr_t>(hResInfo);
    if (value == 0 || value > entries.size()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &entries[value - 1];
}

}  // namespace

extern "C" HRSRC WINAPI FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType) {
    const auto* module = FindModule(hModule);
    if (module == nullptr) {
        return nullptr;
    }
    const auto index = platform::kernel::FindResourceIndex(*module, lpName, lpType);
    return index ? EncodeHandle(*index) : nullptr;
}

extern "C" HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo) {
    const ResourceEntry* entry = DecodeHandle(hModule, hResInfo);
    // Resources live in the executable's read-only data, as in a mapped image; the
    // Win32 signature hands them out without const all the same.
    return entry ? const_cast<std::uint8_t*>(entry->data.data()) : nullptr;
}

extern "C" DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo) {
    const ResourceEntry* entry = DecodeHandle(hModule, hResInfo);
    return entry ? static_cast<DWORD>(entry->data.size()) : 0;
}

extern "C" LPVOID WINAPI LockResource(HGLOBAL hResData) {
    return hResData;
}

extern "C" int WINAPI LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer,
                                  int cchBufferMax) {
    if (lpBuffer == nullptr || cchBufferMax < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const auto text = platform::kernel::FindResourceString(hInstance, uID);
    if (cchBufferMax == 0) {
        // No room given: lpBuffer is really a pointer variable, which receives a
        // read-only pointer to the unterminated text itself.
        const WCHAR* pointer = text ? text->data() : nullptr;
        std::memcpy(lpBuffer, &pointer, sizeof pointer);
        return text ? static_cast<int>(text->size()) : 0;
    }
    const std::size_t copied =
        text ? std::min(text->size(), static_cast<std::size_t>(cchBufferMax) - 1) : 0;
    if (text) {
        std::copy_n(text->begin(), copied, lpBuffer);
    }
    lpBuffer[copied] = u'\0';
    return static_cast<int>(copied);
}
