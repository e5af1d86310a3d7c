#include "kernel/text/locale_text.h"

#include <iconv.h>

#include <array>
#include <bit>
#include <cerrno>

namespace platform::kernel {

namespace {

constexpr char16_t kReplacement = u'\uFFFD';
constexpr const char* kNativeUtf16 =
    std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

class Converter {
  public:
    explicit Converter(const char* codeset) : handle_(iconv_open(kNativeUtf16, codeset)) {}
    ~Converter() {
        if (valid()) {
            iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    std::u16string Convert(std::string_view text) {
        std::u16string result;
        char* in = const_cast<char*>(text.data());
        std::size_t inLeft = text.size();
        while (inLeft > 0) {
            std::array<char16_t, 64> chunk{};
            char* out = reinterpret_cast<char*>(chunk.data());
            std::size_t outLeft = sizeof(chunk);
            const std::size_t converted = iconv(handle_, &in, &inLeft, &out, &outLeft);
            result.append(chunk.data(), (sizeof(chunk) - outLeft) / sizeof(char16_t));
            if (converted == static_cast<std::size_t>(-1) && errno != E2BIG) {
                // An invalid or cut-off sequence: mark it and go on after its first byte.
                result += kReplacement;
                ++in;
                --inLeft;
            }
        }
        return result;
    }

  private:
    iconv_t handle_;
};

}  // namespace

std::u16string DecodeLocaleText(std::string_view text, const char* codeset) {
    Converter converter(codeset);
    if (converter.valid()) {
        return converter.Convert(text);
    }
    // A character set iconv does not know: keep ASCII, mark the rest.
    std::u16string result;
    for (const char c : text) {
        result += static_cast<unsigned char>(c) < 0x80 ? static_cast<char16_t>(c) : kReplacement;
    }
    return result;
}

}  // namespace platform::kernel
