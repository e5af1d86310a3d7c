#include "diagnostics/NarrowText.h"

std::string NarrowText(LPCWSTR text) {
    if (text == nullptr || text[0] == 0) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return {};
    }
    std::string narrow(static_cast<size_t>(size), '\0');
    if (WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), size, nullptr, nullptr) != size) {
        return {};
    }
    narrow.pop_back();  // the terminator, which std::string keeps by itself
    return narrow;
}
