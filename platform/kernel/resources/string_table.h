// String resources. The resource compiler groups strings in blocks of sixteen: string
// id N lives in RT_STRING block N / 16 + 1, at position N % 16, each string stored as
// a character count followed by that many characters (no terminator).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "kernel/resources/resource_file.h"

namespace platform::kernel {

// The text of string id in resources; nullopt when its block is missing, malformed
// or holds no text at that position (the compiler writes an absent string as empty).
// The view points into the resource bytes.
std::optional<std::u16string_view> FindString(const ResourceFile& resources, std::uint16_t id);

}  // namespace platform::kernel
