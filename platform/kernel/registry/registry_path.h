// Registry key paths: names joined by '\', compared without regard to letter case.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::kernel {

// The form in which two names that differ only in case are equal.
std::u16string FoldRegistryName(std::u16string_view name);

// The parts of a path; empty when a part is empty ("a\\b", "\a"). One trailing '\' is
// allowed, as Windows allows it; an empty path has no parts.
std::optional<std::vector<std::u16string>> SplitRegistryPath(std::u16string_view path);

}  // namespace platform::kernel
