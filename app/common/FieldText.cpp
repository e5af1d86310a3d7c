#include "common/FieldText.h"

#include <cstring>

namespace {

// Large enough for every narrow text of the IP Helper records (the adapter name is the
// longest, 260 bytes); each byte widens to at most one UTF-16 unit.
constexpr int kWideningLength = 512;

bool IsHighSurrogate(WCHAR unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// Copies at most `length` units of `source` and terminates.
void CopyUnits(const WCHAR* source, int length, LPWSTR field, int fieldCapacity) {
    if (fieldCapacity <= 0) {
        return;
    }
    int kept = length < fieldCapacity - 1 ? length : fieldCapacity - 1;
    if (kept < length && kept > 0 && IsHighSurrogate(source[kept - 1])) {
        --kept;
    }
    for (int i = 0; i < kept; ++i) {
        field[i] = source[i];
    }
    field[kept] = 0;
}

}  // namespace

void CopyIntoField(LPCWSTR source, LPWSTR field, int fieldCapacity) {
    CopyUnits(source, lstrlenW(source), field, fieldCapacity);
}

void WidenIntoField(const char* source, size_t sourceCapacity, LPWSTR field, int fieldCapacity) {
    const size_t bound = sourceCapacity < kWideningLength ? sourceCapacity : kWideningLength;
    const int length = static_cast<int>(strnlen(source, bound));
    WCHAR wide[kWideningLength] = {};
    // An empty source, or one the code page cannot convert, leaves the field empty.
    const int converted =
        length == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, source, length, wide, kWideningLength);
    CopyUnits(wide, converted, field, fieldCapacity);
}
