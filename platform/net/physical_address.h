// A hardware address held in place, as the Win32 rows hold it: up to eight bytes.
// Neighbour tables run to thousands of rows, and a heap block for each row's
// address would cost more than reading the row.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace platform::net {

class PhysicalAddress {
  public:
    static constexpr std::size_t kCapacity = 8;
    using value_type = std::uint8_t;
    using const_iterator = const std::uint8_t*;
    using iterator = const_iterator;

    PhysicalAddress() = default;
    // Bytes past the eighth (InfiniBand's 20-byte addresses) are dropped: the rows
    // have no room for them.
    explicit PhysicalAddress(std::span<const std::uint8_t> bytes)
        : length_(static_cast<std::uint8_t>(std::min(bytes.size(), kCapacity))) {
        std::copy_n(bytes.begin(), length_, bytes_.begin());
    }
    PhysicalAddress(std::initializer_list<std::uint8_t> bytes)
        : PhysicalAddress(std::span<const std::uint8_t>(bytes.begin(), bytes.size())) {}
    PhysicalAddress(const std::vector<std::uint8_t>& bytes)
        : PhysicalAddress(std::span<const std::uint8_t>(bytes)) {}

    std::size_t size() const { return length_; }
    bool empty() const { return length_ == 0; }
    const std::uint8_t* begin() const { return bytes_.data(); }
    const std::uint8_t* end() const { return bytes_.data() + length_; }

    // The bytes past the length are always zero, so comparing all of them is exact.
    bool operator==(const PhysicalAddress&) const = default;

  private:
    std::array<std::uint8_t, kCapacity> bytes_{};
    std::uint8_t length_ = 0;
};

}  // namespace platform::net
