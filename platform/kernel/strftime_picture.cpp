#include "kernel/strftime_picture.h"

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

// The picture for one conversion; `unpadded` is glibc's "-" (and "_") flag.
std::optional<std::u16string_view> FieldFor(char16_t conversion, bool unpadded) {
    switch (conversion) {
        case u'd':
            return unpadded ? u"d" : u"dd";
        case u'e':
            return u"d";
        case u'm':
            return unpadded ? u"M" : u"MM";
        case u'y':
            return u"yy";
        case u'Y':
            return u"yyyy";
        case u'b':
        case u'h':
            return u"MMM";
        case u'B':
            return u"MMMM";
        case u'a':
            return u"ddd";
        case u'A':
            return u"dddd";
        case u'D':
            return u"MM/dd/yy";
        case u'F':
            return u"yyyy-MM-dd";
        case u'H':
            return unpadded ? u"H" : u"HH";
        case u'k':
            return u"H";
        case u'I':
            return unpadded ? u"h" : u"hh";
        case u'l':
            return u"h";
        case u'M':
            return unpadded ? u"m" : u"mm";
        case u'S':
            return unpadded ? u"s" : u"ss";
        case u'p':
        case u'P':
            return u"tt";
        case u'R':
            return u"HH:mm";
        case u'T':
            return u"HH:mm:ss";
        default:
            return std::nullopt;
    }
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
