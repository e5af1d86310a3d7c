// A resource type or name: a 16-bit ordinal, or a text name. Names compare without
// regard to letter case, because resource compilers store them upper-cased
// while programs ask for them as they wrote them.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace platform::kernel {

class ResourceId {
  public:
    ResourceId() = default;
    explicit ResourceId(std::uint16_t ordinal) : value_(ordinal) {}
    explicit ResourceId(std::u16string name) : value_(std::move(name)) {}

    // Reads the pointer argument of FindResourceW and friends: a MAKEINTRESOURCE
    // value (null is ordinal 0), "#123" for ordinal 123, or a name.
    static ResourceId FromArgument(const char16_t* argument);

    bool IsOrdinal() const { return std::holds_alternative<std::uint16_t>(value_); }
    // Meaningful only when IsOrdinal().
    std::uint16_t Ordinal() const { return IsOrdinal() ? std::get<std::uint16_t>(value_) : 0; }

    bool operator==(const ResourceId& other) const;

  private:
    std::variant<std::uint16_t, std::u16string> value_{std::uint16_t{0}};
};

}  // namespace platform::kernel
