// Copying texts into the records' fixed-capacity fields. A text longer than its field
// is cut at the field's width, never inside a UTF-16 surrogate pair, and the field is
// always terminated.
#pragma once

#include <cstddef>

#include <windows.h>

void CopyIntoField(LPCWSTR source, LPWSTR field, int fieldCapacity);

// Converts with the system code page. The source is read up to its terminator or its
// capacity, whichever comes first, since the library's fixed arrays need not be
// terminated when their text fills them.
void WidenIntoField(const char* source, size_t sourceCapacity, LPWSTR field, int fieldCapacity);

template <size_t SourceCapacity, size_t FieldCapacity>
void WidenIntoField(const char (&source)[SourceCapacity], WCHAR (&field)[FieldCapacity]) {
    WidenIntoField(source, SourceCapacity, field, static_cast<int>(FieldCapacity));
}
