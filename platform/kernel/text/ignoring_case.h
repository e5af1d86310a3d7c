// Resource names and version keys compare without regard to letter case: resource
// compilers store names upper-cased while programs ask for them as they wrote them.
#pragma once

#include <algorithm>
#include <string_view>

#include "kernel/text/case_folding.h"

namespace platform::kernel {

inline bool EqualsIgnoringCase(std::u16string_view left, std::u16string_view right) {
    return std::ranges::equal(left, right,
                              [](char16_t a, char16_t b) { return FoldCase(a) == FoldCase(b); });
}

}  // namespace platform::kernel
