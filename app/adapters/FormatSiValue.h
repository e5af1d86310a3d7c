// A number as a short text with a metric prefix and a unit, such as 54Mb/s or 9.6kb/s.
#pragma once

#include <string>

#include <windows.h>

// The value is scaled into the tier of its magnitude (p, n, u, m, a blank, k, M, G, T)
// and printed with `precision` digits after the point. trimZeros drops trailing zeros
// of the fraction and a bare point; spaceBeforePrefix puts a blank before the prefix.
std::u16string FormatSiValue(double value, LPCWSTR unit, bool spaceBeforePrefix, int precision,
                             bool trimZeros);
