#include "kernel/text/wide_path.h"

#include "kernel/text/utf8.h"

namespace platform::kernel {

// Linux file names are bytes, taken as UTF-8. A name that does not convert cleanly
// is refused rather than patched with replacement characters, which would name
// another file.
std::optional<std::filesystem::path> PathFromWide(std::u16string_view text) {
    Utf8Text bytes = EncodeUtf8(text);
    if (bytes.invalidSequences != 0) {
        return std::nullopt;
    }
    return std::filesystem::path(std::move(bytes.text));
}

std::optional<std::u16string> WideFromPath(const std::filesystem::path& path) {
    Utf16Text text = DecodeUtf8(path.native());
    if (text.invalidSequences != 0) {
        return std::nullopt;
    }
    return std::move(text.text);
}

}  // namespace platform::kernel
