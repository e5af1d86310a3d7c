// Registry values in the byte form RegQueryValueExW returns, built from C++ values.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "kernel/registry/registry_source.h"

namespace platform::kernel {

// REG_SZ, or REG_EXPAND_SZ; the terminator is part of the data.
RegistryValue StringValue(std::u16string_view text, bool expandable = false);
// REG_MULTI_SZ: each string terminated, then one more terminator.
RegistryValue MultiStringValue(const std::vector<std::u16string>& strings);
RegistryValue DwordValue(std::uint32_t value);
RegistryValue BinaryValue(std::vector<std::uint8_t> bytes);

}  // namespace platform::kernel
