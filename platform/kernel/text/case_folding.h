// Simple one-to-one case folding for the scripts a handheld's texts use: ASCII,
// Latin-1, Latin Extended-A, Greek and Cyrillic. Other characters fold to
// themselves.
#pragma once

namespace platform::kernel {

char16_t FoldCase(char16_t character);

}  // namespace platform::kernel
