// Bounds-checked little-endian reads over a block of bytes. The resource formats
// come from files and from callers' buffers, so no read may trust a length field:
// every accessor says "nothing" rather than read past the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace platform::kernel {

class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Size() const { return bytes_.size(); }
    // True when count bytes starting at offset lie inside the block.
    bool Has(std::size_t offset, std::size_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    std::span<const std::uint8_t> Bytes(std::size_t offset, std::size_t count) const {
        return bytes_.subspan(offset, count);
    }

    std::optional<std::uint16_t> Word(std::size_t offset) const;
    std::optional<std::uint32_t> Dword(std::size_t offset) const;
    // The UTF-16 text from offset up to its null character, which must lie before
    // limit (an offset, clipped to the block's size).
    std::optional<std::u16string> TerminatedString(std::size_t offset, std::size_t limit) const;

  private:
    std::span<const std::uint8_t> bytes_;
};

// Resource formats pad each structure to a 32-bit boundary.
constexpr std::size_t AlignToDword(std::size_t offset) {
    return (offset + 3) & ~std::size_t{3};
}

}  // namespace platform::kernel
