// A Windows date or time picture ("dddd, MMMM d, yyyy", "hh:mm:ss tt"), read into
// fields and literal text, and written out for one SYSTEMTIME.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

#include "kernel/time/time_locale.h"

namespace platform::kernel {

class DateTimePicture {
  public:
    // A date picture knows d, M and y; a time picture h, H, m, s and t. Every other
    // character, and everything between single quotes, is copied.
    enum class Kind { Date, Time };

    static DateTimePicture Parse(std::u16string_view picture, Kind kind);

    // Applies GetTimeFormatW's TIME_* flags: a dropped field takes the separator before
    // it along (or, when it comes first, the one after it).
    void ApplyTimeFlags(DWORD flags);
    // The letter of the first field, or 0 when there is none.
    char16_t FirstFieldLetter() const;
    std::u16string Format(const SYSTEMTIME& when, const TimeLocale& locale) const;

  private:
    struct Token {
        char16_t letter = 0;  // 0 for literal text
        std::size_t count = 0;
        std::u16string text;
    };

    void Drop(char16_t letter);

    std::vector<Token> tokens_;
};

}  // namespace platform::kernel
