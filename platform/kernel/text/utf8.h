// UTF-8 and UTF-16, both ways, with Windows' treatment of bad input: each invalid
// piece becomes U+FFFD and is counted, so a caller that must refuse bad input can.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::kernel {

struct Utf16Text {
    std::u16string text;
    std::size_t invalidSequences = 0;
};

struct Utf8Text {
    std::string text;
    std::size_t invalidSequences = 0;
};

// Each maximal subpart of an ill-formed sequence (the longest prefix that could still
// have begun a valid character) becomes one U+FFFD, as Unicode recommends.
Utf16Text DecodeUtf8(std::string_view bytes);

// An unpaired surrogate becomes U+FFFD.
Utf8Text EncodeUtf8(std::u16string_view text);

}  // namespace platform::kernel
