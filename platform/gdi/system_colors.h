// The handheld's colour scheme, which GetSysColor reports.
#pragma once

#include <wingdi.h>

#include <optional>

namespace platform::gdi {

inline constexpr int kSystemColorCount = COLOR_WINDOWTEXT_LAST + 1;

std::optional<COLORREF> SystemColor(int index);

}  // namespace platform::gdi
