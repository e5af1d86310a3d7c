// The printf engine behind wsprintfW and StringCchPrintfW. It writes wide text and
// reads arguments with Windows' sizes: "l" is 32 bits (LONG, DWORD), "ll" and "I64"
// are 64, "I" and "z" are pointer-sized. %s takes a WCHAR string and %hs or %S a
// narrow one in the system code page (UTF-8); %c likewise.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform::kernel {

enum class FormatDialect {
    // wsprintfW's set: integers, characters and strings. It never reads a double, so a
    // floating-point conversion is copied out as text and consumes no argument.
    WindowsSprintf,
    // The C library's set, as the strsafe functions use it: adds %f %F %e %E %g %G.
    Printf,
};

struct FormattedText {
    std::u16string text;
    bool truncated = false;  // the full result was longer than the limit.
};

class WideFormatter {
  public:
    // The result never grows past maxLength characters, however wide a field the
    // format asks for, so a hostile width cannot exhaust memory.
    WideFormatter(FormatDialect dialect, std::size_t maxLength)
        : dialect_(dialect), maxLength_(maxLength) {}

    FormattedText Format(const char16_t* format, va_list args);

  private:
    enum class ArgumentSize { Default, Char, Short, Long, LongLong, Pointer };

    struct Conversion {
        bool leftAlign = false;
        bool zeroPad = false;
        bool alternateForm = false;
        char16_t signFlag = 0;  // '+', ' ' or none.
        std::size_t width = 0;
        std::optional<std::size_t> precision;
        ArgumentSize size = ArgumentSize::Default;
        char16_t type = 0;
    };

    const char16_t* ParseConversion(const char16_t* at, Conversion& conversion);
    std::size_t ParseCount(const char16_t*& at);
    std::size_t ReadStarCount(bool& negative);

    void FormatInteger(const Conversion& conversion);
    void FormatCharacter(const Conversion& conversion, bool narrow);
    void FormatString(const Conversion& conversion, bool narrow);
    void FormatFloat(const Conversion& conversion);

    // Writes prefix and body into a field of the conversion's width; zero padding
    // goes between them, so "-0042" and "0x00ff" come out right. Windows pads
    // strings and characters with zeros too when asked.
    void EmitField(const Conversion& conversion, std::u16string_view prefix,
                   std::u16string_view body, bool zeroPadAllowed);
    void Emit(std::u16string_view text);
    void EmitRepeated(char16_t character, std::size_t count);

    FormatDialect dialect_;
    std::size_t maxLength_;
    FormattedText result_{};
    va_list args_{};
};

}  // namespace platform::kernel
