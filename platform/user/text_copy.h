// Copies a text into a caller's buffer of `capacity` characters, cutting it to fit and
// always terminating it, as GetWindowTextW and GetClassNameW do. Returns the characters
// copied, without the terminator.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

namespace platform::user {

inline int CopyTextToBuffer(const std::u16string& text, LPWSTR buffer, int capacity) {
    if (!buffer || capacity <= 0) {
        return 0;
    }
    const auto count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(capacity - 1));
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = 0;
    return static_cast<int>(count);
}

}  // namespace platform::user
