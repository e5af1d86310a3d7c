// File names cross the Win32 facade as UTF-16 and reach Linux as UTF-8 bytes.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::kernel {

// nullopt when the text is not valid UTF-16 (a lone surrogate).
std::optional<std::filesystem::path> PathFromWide(std::u16string_view text);
// nullopt when the path's bytes are not valid UTF-8.
std::optional<std::u16string> WideFromPath(const std::filesystem::path& path);

}  // namespace platform::kernel
