#include "kernel/resources/resource_id.h"

#include <cstdint>
#include <string_view>

#include "kernel/text/ignoring_case.h"

namespace platform::kernel {
namespace {

// "#" followed by decimal digits that fit in 16 bits names an ordinal, as on Windows.
std::variant<std::uint16_t, std::u16string> ParseName(std::u16string_view name) {
    if (name.size() < 2 || name.front() != u'#') {
        return std::u16string(name);
    }
    std::uint32_t ordinal = 0;
    for (const char16_t digit : name.substr(1)) {
        if (digit < u'0' || digit > u'9') {
            return std::u16string(name);
        }
        ordinal = ordinal * 10 + static_cast<std::uint32_t>(digit - u'0');
        if (ordinal > 0xFFFF) {
            return std::u16string(name);
        }
    }
    return static_cast<std::uint16_t>(ordinal);
}

}  // namespace

ResourceId ResourceId::FromArgument(const char16_t* argument) {
    const auto address = reinterpret_cast<std::uintptr_t>(argument);
    ResourceId id;
    if (address >> 16 == 0) {
        id.value_ = static_cast<std::uint16_t>(address);
    } else {
        id.value_ = ParseName(argument);
    }
    return id;
}

bool ResourceId::operator==(const ResourceId& other) const {
    if (IsOrdinal() || other.IsOrdinal()) {
        return IsOrdinal() && other.IsOrdinal() && Ordinal() == other.Ordinal();
    }
    return EqualsIgnoringCase(std::get<std::u16string>(value_),
                              std::get<std::u16string>(other.value_));
}

}  // namespace platform::kernel
