// Texts copied into the fixed-width character fields of the Win32 records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace platform::net {

// Copies as much of the UTF-8 text as fits before the terminator, never splitting a
// character, and zeroes the rest of the field, so the field is always terminated and
// holds no bytes of an earlier record. Returns the number of bytes copied.
std::size_t CopyFixedText(std::string_view text, char* field, std::size_t capacity);

template <std::size_t N>
std::size_t CopyFixedText(std::string_view text, char (&field)[N]) {
    return CopyFixedText(text, field, N);
}

// Copies at most capacity bytes of a hardware address; returns how many it copied.
// The rest of the field is left as it is (records start zeroed).
std::size_t CopyFixedBytes(const std::vector<std::uint8_t>& bytes, std::uint8_t* field,
                           std::size_t capacity);

// The same for a UTF-16 field: the UTF-8 text is widened, then cut before a
// character (never inside a surrogate pair) so that the terminator fits.
std::size_t CopyFixedWideText(std::string_view text, char16_t* field, std::size_t capacity);

}  // namespace platform::net
