#include "net/fixed_text.h"

#include <algorithm>
#include <cstring>

#include "kernel/text/utf8.h"

namespace platform::net {
namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xc0) == 0x80;
}

}  // namespace

std::size_t CopyFixedText(std::string_view text, char* field, std::size_t capacity) {
    if (capacity == 0) {
        return 0;
    }
    std::size_t length = text.size();
    if (length >= capacity) {
        // Back up to the start of the character that would not fit whole.
        length = capacity - 1;
        while (length > 0 && IsContinuationByte(text[length])) {
            --length;
        }
    }
    std::memcpy(field, text.data(), length);
    std::memset(field + length, 0, capacity - length);
    return length;
}

std::size_t CopyFixedBytes(const std::vector<std::uint8_t>& bytes, std::uint8_t* field,
                           std::size_t capacity) {
    const std::size_t length = std::min(bytes.size(), capacity);
    std::copy_n(bytes.begin(), length, field);
    return length;
}

std::size_t CopyFixedWideText(std::string_view text, char16_t* field, std::size_t capacity) {
    if (capacity == 0) {
        return 0;
    }
    const std::u16string wide = kernel::DecodeUtf8(text).text;
    std::size_t length = wide.size();
    if (length >= capacity) {
        length = capacity - 1;
        const bool lowSurrogate = wide[length] >= 0xdc00 && wide[length] <= 0xdfff;
        if (lowSurrogate && length > 0) {
            --length;
        }
    }
    std::copy_n(wide.data(), length, field);
    std::fill(field + length, field + capacity, u'\0');
    return length;
}

}  // namespace platform::net
