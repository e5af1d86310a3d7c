#include "kernel/text/case_folding.h"

namespace platform::kernel {

namespace {

bool InRange(char16_t character, char16_t first, char16_t last) {
    return character >= first && character <= last;
}

// Latin Extended-A pairs each capital with the small letter after it; the pairs
// start on even code points except in 0139..0148 and 0179..017E.
bool IsLatinExtendedCapital(char16_t character) {
    if (InRange(character, 0x0100, 0x0137) || InRange(character, 0x014A, 0x0177)) {
        return character % 2 == 0;
    }
    if (InRange(character, 0x0139, 0x0148) || InRange(character, 0x0179, 0x017E)) {
        return character % 2 == 1;
    }
    return false;
}

}  // namespace

char16_t FoldCase(char16_t character) {
    if (InRange(character, u'A', u'Z')) {
        return character + 0x20;
    }
    // Latin-1 capitals, without the multiplication sign at D7.
    if (InRange(character, 0x00C0, 0x00DE) && character != 0x00D7) {
        return character + 0x20;
    }
    if (character == 0x0178) {  // Y with diaeresis, whose small form is in Latin-1.
        return 0x00FF;
    }
    if (IsLatinExtendedCapital(character)) {
        return character + 1;
    }
    // Greek capitals, without the unassigned 03A2.
    if (InRange(character, 0x0391, 0x03A9) && character != 0x03A2) {
        return character + 0x20;
    }
    if (InRange(character, 0x0410, 0x042F)) {
        return character + 0x20;
    }
    if (InRange(character, 0x0400, 0x040F)) {
        return character + 0x50;
    }
    return character;
}

}  // namespace platform::kernel
