// A locale's strftime format (D_FMT, T_FMT) as a Windows date or time picture.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::kernel {

// `twelveHourFormat` is T_FMT_AMPM, which %r stands for. Empty when the format uses a
// conversion that pictures cannot express (week numbers, centuries, eras).
std::optional<std::u16string> PictureFromStrftime(std::u16string_view format,
                                                  std::u16string_view twelveHourFormat);

}  // namespace platform::kernel
