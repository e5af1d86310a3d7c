// The strsafe functions. Each takes the destination's full capacity (terminator
// included), leaves it terminated whatever happens, and reports a cut result with
// STRSAFE_E_INSUFFICIENT_BUFFER, so a caller never reads an open or silently short
// string.
#include <windows.h>

#include <strsafe.h>

#include "kernel/text/wide_formatter.h"

namespace {

bool IsUsableDestination(LPCWSTR destination, size_t capacity) {
    return destination != nullptr && capacity != 0 && capacity <= STRSAFE_MAX_CCH;
}

// Copies source into destination[0, capacity - 1) and terminates it; the source is
// read no further than what fits plus one, so it need not be terminated sooner.
HRESULT CopyBounded(LPWSTR destination, size_t capacity, LPCWSTR source) {
    size_t copied = 0;
    while (copied + 1 < capacity && source[copied] != 0) {
        destination[copied] = source[copied];
        ++copied;
    }
    destination[copied] = 0;
    return source[copied] == 0 ? S_OK : STRSAFE_E_INSUFFICIENT_BUFFER;
}

}  // namespace

extern "C" HRESULT StringCchVPrintfW(LPWSTR pszDest, size_t cchDest, LPCWSTR pszFormat,
                                     va_list argList) {
    if (!IsUsableDestination(pszDest, cchDest)) {
        return STRSAFE_E_INVALID_PARAMETER;
    }
    if (pszFormat == nullptr) {
        pszDest[0] = 0;
        return STRSAFE_E_INVALID_PARAMETER;
    }
    platform::kernel::WideFormatter formatter(platform::kernel::FormatDialect::Printf, cchDest - 1);
    const auto formatted = formatter.Format(pszFormat, argList);
    std::copy(formatted.text.begin(), formatted.text.end(), pszDest);
    pszDest[formatted.text.size()] = 0;
    return formatted.truncated ? STRSAFE_E_INSUFFICIENT_BUFFER : S_OK;
}

extern "C" HRESULT StringCchPrintfW(LPWSTR pszDest, size_t cchDest, LPCWSTR pszFormat, ...) {
    va_list arguments;
    va_start(arguments, pszFormat);
    const HRESULT result = StringCchVPrintfW(pszDest, cchDest, pszFormat, arguments);
    va_end(arguments);
    return result;
}

extern "C" HRESULT StringCchCopyW(LPWSTR pszDest, size_t cchDest, LPCWSTR pszSrc) {
    if (!IsUsableDestination(pszDest, cchDest)) {
        return STRSAFE_E_INVALID_PARAMETER;
    }
    if (pszSrc == nullptr) {
        pszDest[0] = 0;
        return STRSAFE_E_INVALID_PARAMETER;
    }
    return CopyBounded(pszDest, cchDest, pszSrc);
}

// The destination must already be terminated within its capacity; if it is not, it
// is left exactly as it was.
extern "C" HRESULT StringCchCatW(LPWSTR pszDest, size_t cchDest, LPCWSTR pszSrc) {
    if (!IsUsableDestination(pszDest, cchDest) || pszSrc == nullptr) {
        return STRSAFE_E_INVALID_PARAMETER;
    }
    size_t length = 0;
    if (FAILED(StringCchLengthW(pszDest, cchDest, &length))) {
        return STRSAFE_E_INVALID_PARAMETER;
    }
    return CopyBounded(pszDest + length, cchDest - length, pszSrc);
}

extern "C" HRESULT StringCchLengthW(LPCWSTR psz, size_t cchMax, size_t* pcchLength) {
    size_t length = 0;
    if (psz != nullptr && cchMax != 0 && cchMax <= STRSAFE_MAX_CCH) {
        while (length < cchMax && psz[length] != 0) {
            ++length;
        }
    }
    const bool terminated = psz != nullptr && length < cchMax && cchMax <= STRSAFE_MAX_CCH;
    if (pcchLength != nullptr) {
        *pcchLength = terminated ? length : 0;
    }
    return terminated ? S_OK : STRSAFE_E_INVALID_PARAMETER;
}
