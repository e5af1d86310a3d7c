// Text the C library gives in a locale's own character set, as UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace platform::kernel {

// Bytes that are not valid in `codeset` become U+FFFD each; nothing is dropped.
std::u16string DecodeLocaleText(std::string_view text, const char* codeset);

}  // namespace platform::kernel
