// When the program was built, as the About box shows it: "Sat Dec  5 22:31:40 2026"
// (weekday, month, day of the month padded to two places, time, year; 24 characters).
#pragma once

#include <string>
#include <string_view>

// The stamp made from the compiler's date ("Dec  5 2026") and time ("22:31:40"), or
// an empty text for texts of another form.
std::string MakeBuildStamp(std::string_view date, std::string_view time);

// The program's own stamp, widened for display.
std::u16string WidenBuildStamp();
