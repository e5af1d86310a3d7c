// The lstr family. Windows guards these against bad pointers and answers as though
// a null string were empty (or lesser); we do the same for null, the one bad pointer
// we can recognise.
#include <windows.h>

#include "kernel/text/case_folding.h"

namespace {

// lstrcmpW and lstrcmpiW answer -1, 0 or 1, as CompareStringW's result less two.
// FIXME: Windows compares linguistically (hyphens and apostrophes weigh less than
// letters); we compare code units, which agrees for the letters and digits of the
// names and addresses the program compares.
template <typename Transform>
int CompareStrings(LPCWSTR first, LPCWSTR second, Transform transform) {
    if (first == nullptr || second == nullptr) {
        return first == second ? 0 : (first == nullptr ? -1 : 1);
    }
    for (;; ++first, ++second) {
        const char16_t a = transform(*first);
        const char16_t b = transform(*second);
        if (a != b) {
            return a < b ? -1 : 1;
        }
        if (a == 0) {
            return 0;
        }
    }
}

}  // namespace

extern "C" int WINAPI lstrlenW(LPCWSTR lpString) {
    if (lpString == nullptr) {
        return 0;
    }
    int length = 0;
    while (lpString[length] != 0) {
        ++length;
    }
    return length;
}

extern "C" LPWSTR WINAPI lstrcpyW(LPWSTR lpString1, LPCWSTR lpString2) {
    if (lpString1 == nullptr || lpString2 == nullptr) {
        return nullptr;
    }
    LPWSTR out = lpString1;
    while ((*out++ = *lpString2++) != 0) {
    }
    return lpString1;
}

// Copies at most iMaxLength - 1 characters and always terminates, so the result is
// cut rather than left open.
extern "C" LPWSTR WINAPI lstrcpynW(LPWSTR lpString1, LPCWSTR lpString2, int iMaxLength) {
    if (lpString1 == nullptr || lpString2 == nullptr) {
        return nullptr;
    }
    if (iMaxLength <= 0) {
        return lpString1;
    }
    int copied = 0;
    while (copied < iMaxLength - 1 && lpString2[copied] != 0) {
        lpString1[copied] = lpString2[copied];
        ++copied;
    }
    lpString1[copied] = 0;
    return lpString1;
}

extern "C" LPWSTR WINAPI lstrcatW(LPWSTR lpString1, LPCWSTR lpString2) {
    if (lpString1 == nullptr || lpString2 == nullptr) {
        return nullptr;
    }
    lstrcpyW(lpString1 + lstrlenW(lpString1), lpString2);
    return lpString1;
}

extern "C" int WINAPI lstrcmpW(LPCWSTR lpString1, LPCWSTR lpString2) {
    return CompareStrings(lpString1, lpString2, [](char16_t c) { return c; });
}

extern "C" int WINAPI lstrcmpiW(LPCWSTR lpString1, LPCWSTR lpString2) {
    return CompareStrings(lpString1, lpString2, platform::kernel::FoldCase);
}
