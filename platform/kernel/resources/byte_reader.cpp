#include "kernel/resources/byte_reader.h"

#include <algorithm>

namespace platform::kernel {

std::optional<std::uint16_t> ByteReader::Word(std::size_t offset) const {
    if (!Has(offset, 2)) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8);
}

std::optional<std::uint32_t> ByteReader::Dword(std::size_t offset) const {
    const auto low = Word(offset);
    const auto high = Word(offset + 2);
    if (!low || !high) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*low) | static_cast<std::uint32_t>(*high) << 16;
}

std::optional<std::u16string> ByteReader::TerminatedString(std::size_t offset,
                                                           std::size_t limit) const {
    limit = std::min(limit, bytes_.size());
    std::u16string text;
    for (std::size_t at = offset; at + 2 <= limit; at += 2) {
        const auto unit = static_cast<char16_t>(*Word(at));
        if (unit == u'\0') {
            return text;
        }
        text.push_back(unit);
    }
    return std::nullopt;
}

}  // namespace platform::kernel
