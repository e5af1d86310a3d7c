#include "kernel/time/strftime_picture.h"

#include <algorithm>

namespace platform::kernel {

namespace {

bool NeedsQuotes(std::u16string_view literal) {
    return std::any_of(literal.begin(), literal.end(), [](char16_t c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'\'';
    });
}

class PictureWriter {
  public:
    void Literal(char16_t c) { literal_ += c; }
    void Field(std::u16string_view field) {
        FlushLiteral();
        picture_ += field;
    }
    // A time-zone name has no place in a picture; the blank before it goes with it.
    void DropField() {
        while (!literal_.empty() && literal_.back() == u' ') {
            literal_.pop_back();
        }
    }
    std::u16string Finish() {
        FlushLiteral();
        return std::move(picture_);
    }

  private:
    void FlushLiteral() {
        if (!NeedsQuotes(literal_)) {
            picture_ += literal_;
        } else {
            picture_ += u'\'';
            for (const char16_t c : literal_) {
                picture_ += c;
                if (c == u'\'') {
                    picture_ += c;
                }
            }
            picture_ += u'\'';
        }
        literal_.clear();
    }

    std::u16string picture_;
    std::u16string literal_;
};

struct Conversion {
    char16_t letter;
    std::u16string_view field;
    std::u16string_view unpaddedField;  // for glibc's "-" (and "_") flag
};

constexpr Conversion kConversions[] = {
    {u'd', u"dd", u"d"},
    {u'e', u"d", u"d"},
    {u'm', u"MM", u"M"},
    {u'y', u"yy", u"yy"},
    {u'Y', u"yyyy", u"yyyy"},
    {u'b', u"MMM", u"MMM"},
    {u'h', u"MMM", u"MMM"},
    {u'B', u"MMMM", u"MMMM"},
    {u'a', u"ddd", u"ddd"},
    {u'A', u"dddd", u"dddd"},
    {u'D', u"MM/dd/yy", u"MM/dd/yy"},
    {u'F', u"yyyy-MM-dd", u"yyyy-MM-dd"},
    {u'H', u"HH", u"H"},
    {u'k', u"H", u"H"},
    {u'I', u"hh", u"h"},
    {u'l', u"h", u"h"},
    {u'M', u"mm", u"m"},
    {u'S', u"ss", u"s"},
    {u'p', u"tt", u"tt"},
    {u'P', u"tt", u"tt"},
    {u'R', u"HH:mm", u"HH:mm"},
    {u'T', u"HH:mm:ss", u"HH:mm:ss"},
};

std::optional<std::u16string_view> FieldFor(char16_t letter, bool unpadded) {
    for (const Conversion& conversion : kConversions) {
        if (conversion.letter == letter) {
            return unpadded ? conversion.unpaddedField : conversion.field;
        }
    }
    return std::nullopt;
}

bool Convert(std::u16string_view format, std::u16string_view twelveHourFormat,
             PictureWriter& writer) {
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != u'%') {
            writer.Literal(format[i]);
            continue;
        }
        bool unpadded = false;
        while (++i < format.size() &&
               (format[i] == u'-' || format[i] == u'_' || format[i] == u'0' || format[i] == u'E' ||
                format[i] == u'O')) {
            // Alternative digits and eras (E, O) read as the plain conversion.
            unpadded = unpadded || format[i] == u'-' || format[i] == u'_';
        }
        if (i == format.size()) {
            return false;
        }
        const char16_t conversion = format[i];
        if (conversion == u'%' || conversion == u'n' || conversion == u't') {
            writer.Literal(conversion == u'%' ? u'%' : conversion == u'n' ? u'\n' : u'\t');
        } else if (conversion == u'Z' || conversion == u'z') {
            writer.DropField();
        } else if (conversion == u'r') {
            // T_FMT_AMPM itself may not use %r again.
            if (twelveHourFormat.empty() || !Convert(twelveHourFormat, {}, writer)) {
                return false;
            }
        } else if (const auto field = FieldFor(conversion, unpadded)) {
            writer.Field(*field);
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<std::u16string> PictureFromStrftime(std::u16string_view format,
                                                  std::u16string_view twelveHourFormat) {
    PictureWriter writer;
    if (format.empty() || !Convert(format, twelveHourFormat, writer)) {
        return std::nullopt;
    }
    return writer.Finish();
}

}  // namespace platform::kernel
