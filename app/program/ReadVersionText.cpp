#include "program/ReadVersionText.h"

#include <windows.h>

#include <algorithm>
#include <vector>

std::u16string ReadVersionText() {
    WCHAR path[MAX_PATH]{};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0) {
        return {};
    }
    std::vector<BYTE> info(size);
    if (!GetFileVersionInfoW(path, 0, size, info.data())) {
        return {};
    }
    void* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), u"\\StringFileInfo\\080904b0\\FileVersion", &text, &length) ||
        !text) {
        return {};
    }
    const auto* characters = static_cast<const WCHAR*>(text);
    if (length == static_cast<UINT>(-1)) {
        return std::u16string(characters);
    }
    // The length may count the terminator; the text ends at the first zero either way.
    return std::u16string(characters, std::find(characters, characters + length, u'\0'));
}
