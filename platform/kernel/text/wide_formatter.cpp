#include "kernel/text/wide_formatter.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "kernel/text/utf8.h"

namespace platform::kernel {

namespace {

bool IsDigit(char16_t character) {
    return character >= u'0' && character <= u'9';
}

std::u16string Widen(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

std::u16string Digits(std::uint64_t value, unsigned base, bool upperCase) {
    const char* symbols = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(symbols[value % base]));
        value /= base;
    } while (value != 0);
    return digits;
}

}  // namespace

FormattedText WideFormatter::Format(const char16_t* format, va_list args) {
    result_ = {};
    va_copy(args_, args);
    const char16_t* at = format;
    while (*at != 0 && !result_.truncated) {
        if (*at != u'%') {
            Emit({at, 1});
            ++at;
            continue;
        }
        Conversion conversion;
        at = ParseConversion(at + 1, conversion);
        switch (conversion.type) {
            case 0:  // the format ended inside a conversion.
                break;
            case u'%':
                Emit(u"%");
                break;
            case u'd':
            case u'i':
            case u'u':
            case u'x':
            case u'X':
            case u'o':
                FormatInteger(conversion);
                break;
            case u'c':
                FormatCharacter(conversion, conversion.size == ArgumentSize::Short);
                break;
            case u'C':
                FormatCharacter(conversion, conversion.size != ArgumentSize::Long);
                break;
            case u's':
                FormatString(conversion, conversion.size == ArgumentSize::Short);
                break;
            case u'S':
                FormatString(conversion, conversion.size != ArgumentSize::Long);
                break;
            case u'f':
            case u'F':
            case u'e':
            case u'E':
            case u'g':
            case u'G':
                if (dialect_ == FormatDialect::Printf) {
                    FormatFloat(conversion);
                } else {
                    Emit({&conversion.type, 1});
                }
                break;
            default:
                // Windows copies an unknown conversion character as it stands.
                Emit({&conversion.type, 1});
                break;
        }
    }
    va_end(args_);
    return std::move(result_);
}

const char16_t* WideFormatter::ParseConversion(const char16_t* at, Conversion& conversion) {
    for (;; ++at) {
        if (*at == u'-') {
            conversion.leftAlign = true;
        } else if (*at == u'0') {
            conversion.zeroPad = true;
        } else if (*at == u'#') {
            conversion.alternateForm = true;
        } else if (*at == u'+') {
            conversion.signFlag = u'+';
        } else if (*at == u' ') {
            // A blank for the sign yields to an explicit plus.
            if (conversion.signFlag == 0) {
                conversion.signFlag = u' ';
            }
        } else {
            break;
        }
    }
    if (*at == u'*') {
        bool negative = false;
        conversion.width = ReadStarCount(negative);
        conversion.leftAlign = conversion.leftAlign || negative;
        ++at;
    } else {
        conversion.width = ParseCount(at);
    }
    if (*at == u'.') {
        ++at;
        if (*at == u'*') {
            bool negative = false;
            const std::size_t precision = ReadStarCount(negative);
            // A negative precision counts as none, as in C.
            if (!negative) {
                conversion.precision = precision;
            }
            ++at;
        } else {
            conversion.precision = ParseCount(at);
        }
    }
    if (at[0] == u'h' && at[1] == u'h') {
        conversion.size = ArgumentSize::Char;
        at += 2;
    } else if (at[0] == u'h') {
        conversion.size = ArgumentSize::Short;
        ++at;
    } else if (at[0] == u'l' && at[1] == u'l') {
        conversion.size = ArgumentSize::LongLong;
        at += 2;
    } else if (at[0] == u'l' || at[0] == u'w') {
        conversion.size = ArgumentSize::Long;
        ++at;
    } else if (at[0] == u'I' && at[1] == u'6' && at[2] == u'4') {
        conversion.size = ArgumentSize::LongLong;
        at += 3;
    } else if (at[0] == u'I' && at[1] == u'3' && at[2] == u'2') {
        conversion.size = ArgumentSize::Long;
        at += 3;
    } else if (at[0] == u'I' || at[0] == u'z') {
        conversion.size = ArgumentSize::Pointer;
        ++at;
    }
    conversion.type = *at;
    return *at == 0 ? at : at + 1;
}

// Field widths and precisions beyond the output limit cannot show, so they saturate
// there instead of overflowing.
std::size_t WideFormatter::ParseCount(const char16_t*& at) {
    std::size_t count = 0;
    for (; IsDigit(*at); ++at) {
        count = std::min(count * 10 + (*at - u'0'), maxLength_ + 1);
    }
    return count;
}

std::size_t WideFormatter::ReadStarCount(bool& negative) {
    const int value = va_arg(args_, int);
    negative = value < 0;
    const auto magnitude = negative ? -static_cast<std::int64_t>(value) : value;
    return std::min(static_cast<std::size_t>(magnitude), maxLength_ + 1);
}

void WideFormatter::FormatInteger(const Conversion& conversion) {
    const bool isSigned = conversion.type == u'd' || conversion.type == u'i';
    std::uint64_t magnitude = 0;
    bool negative = false;
    if (isSigned) {
        std::int64_t value = 0;
        switch (conversion.size) {
            case ArgumentSize::Char:
                value = static_cast<signed char>(va_arg(args_, int));
                break;
            case ArgumentSize::Short:
                value = static_cast<short>(va_arg(args_, int));
                break;
            case ArgumentSize::LongLong:
                value = va_arg(args_, long long);
                break;
            case ArgumentSize::Pointer:
                value = va_arg(args_, std::intptr_t);
                break;
            case ArgumentSize::Default:
            case ArgumentSize::Long:
                value = va_arg(args_, int);
                break;
        }
        negative = value < 0;
        magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : value;
    } else {
        switch (conversion.size) {
            case ArgumentSize::Char:
                magnitude = static_cast<unsigned char>(va_arg(args_, unsigned));
                break;
            case ArgumentSize::Short:
                magnitude = static_cast<unsigned short>(va_arg(args_, unsigned));
                break;
            case ArgumentSize::LongLong:
                magnitude = va_arg(args_, unsigned long long);
                break;
            case ArgumentSize::Pointer:
                magnitude = va_arg(args_, std::uintptr_t);
                break;
            case ArgumentSize::Default:
            case ArgumentSize::Long:
                magnitude = va_arg(args_, unsigned);
                break;
        }
    }

    const unsigned base = conversion.type == u'o'                 ? 8
                          : (conversion.type == u'u' || isSigned) ? 10
                                                                  : 16;
    std::u16string body = Digits(magnitude, base, conversion.type == u'X');
    if (conversion.precision) {
        // An explicit precision is the least number of digits; zero shows none.
        if (*conversion.precision == 0 && magnitude == 0) {
            body.clear();
        } else if (body.size() < *conversion.precision) {
            body.insert(0, *conversion.precision - body.size(), u'0');
        }
    }

    std::u16string prefix;
    if (negative) {
        prefix = u"-";
    } else if (isSigned && conversion.signFlag != 0) {
        prefix = std::u16string(1, conversion.signFlag);
    }
    if (conversion.alternateForm && magnitude != 0) {
        if (base == 16) {
            prefix += conversion.type == u'X' ? u"0X" : u"0x";
        } else if (base == 8 && body.front() != u'0') {
            prefix += u"0";
        }
    }
    // As in C, a precision on an integer turns zero padding off.
    EmitField(conversion, prefix, body, !conversion.precision.has_value());
}

void WideFormatter::FormatCharacter(const Conversion& conversion, bool narrow) {
    const int value = va_arg(args_, int);
    if (narrow) {
        const char byte = static_cast<char>(value);
        EmitField(conversion, {}, DecodeUtf8({&byte, 1}).text, true);
    } else {
        const auto character = static_cast<char16_t>(value);
        EmitField(conversion, {}, {&character, 1}, true);
    }
}

void WideFormatter::FormatString(const Conversion& conversion, bool narrow) {
    const std::size_t limit = conversion.precision.value_or(SIZE_MAX);
    std::u16string body;
    if (narrow) {
        const char* text = va_arg(args_, const char*);
        if (text == nullptr) {
            body = u"(null)";
        } else {
            // Read no further than the precision allows: the text need not be
            // terminated within it.
            body = DecodeUtf8({text, strnlen(text, limit)}).text;
        }
    } else {
        const char16_t* text = va_arg(args_, const char16_t*);
        if (text == nullptr) {
            body = u"(null)";
        } else {
            std::size_t length = 0;
            while (length < limit && text[length] != 0) {
                ++length;
            }
            body.assign(text, length);
        }
    }
    if (body.size() > limit) {
        body.resize(limit);
    }
    EmitField(conversion, {}, body, true);
}

// The C library formats the number itself; the point is always '.', as the
// program's number texts expect whatever the locale.
void WideFormatter::FormatFloat(const Conversion& conversion) {
    const double value = va_arg(args_, double);
    std::string narrowFormat = "%";
    if (conversion.leftAlign) {
        narrowFormat += '-';
    }
    if (conversion.signFlag != 0) {
        narrowFormat += static_cast<char>(conversion.signFlag);
    }
    if (conversion.alternateForm) {
        narrowFormat += '#';
    }
    if (conversion.zeroPad) {
        narrowFormat += '0';
    }
    narrowFormat += "*.*";
    narrowFormat += static_cast<char>(conversion.type);
    const int width = static_cast<int>(std::min<std::size_t>(conversion.width, INT32_MAX));
    const int precision =
        static_cast<int>(std::min<std::size_t>(conversion.precision.value_or(6), INT32_MAX));
    const int length = std::snprintf(nullptr, 0, narrowFormat.c_str(), width, precision, value);
    if (length < 0) {
        return;
    }
    std::vector<char> text(static_cast<std::size_t>(length) + 1);
    std::snprintf(text.data(), text.size(), narrowFormat.c_str(), width, precision, value);
    Emit(Widen({text.data(), static_cast<std::size_t>(length)}));
}

void WideFormatter::EmitField(const Conversion& conversion, std::u16string_view prefix,
                              std::u16string_view body, bool zeroPadAllowed) {
    const std::size_t length = prefix.size() + body.size();
    const std::size_t padding = conversion.width > length ? conversion.width - length : 0;
    if (conversion.leftAlign) {
        Emit(prefix);
        Emit(body);
        EmitRepeated(u' ', padding);
    } else if (conversion.zeroPad && zeroPadAllowed) {
        Emit(prefix);
        EmitRepeated(u'0', padding);
        Emit(body);
    } else {
        EmitRepeated(u' ', padding);
        Emit(prefix);
        Emit(body);
    }
}

void WideFormatter::Emit(std::u16string_view text) {
    const std::size_t room = maxLength_ - result_.text.size();
    if (text.size() > room) {
        result_.text.append(text.substr(0, room));
        result_.truncated = true;
        return;
    }
    result_.text.append(text);
}

void WideFormatter::EmitRepeated(char16_t character, std::size_t count) {
    const std::size_t room = maxLength_ - result_.text.size();
    if (count > room) {
        result_.text.append(room, character);
        result_.truncated = true;
        return;
    }
    result_.text.append(count, character);
}

}  // namespace platform::kernel
