// Bounded wide-string functions. Every one leaves the destination terminated, and
// says with STRSAFE_E_INSUFFICIENT_BUFFER when it had to cut the result short.
#pragma once

#include <stdarg.h>

#include "windef.h"
#include "winerror.h"

#define STRSAFE_MAX_CCH 2147483647
#define STRSAFE_E_INSUFFICIENT_BUFFER ((HRESULT)0x8007007AL)
#define STRSAFE_E_INVALID_PARAMETER ((HRESULT)0x80070057L)
#define STRSAFE_E_END_OF_FILE ((HRESULT)0x80070026L)

#ifdef __cplusplus
extern "C" {
#endif

// The formatter is printf's: %s takes a WCHAR string, %hs and %S a narrow one,
// %f, %e and %g format doubles with a point as the decimal separator, and "l" on an
// integer means 32 bits, as LONG and DWORD are.
HRESULT StringCchPrintfW(LPWSTR pszDest, size_t cchDest, LPCWSTR pszFormat, ...);
HRESULT StringCchVPrintfW(LPWSTR pszDest, size_t cchDest, LPCWSTR pszFormat, va_list argList);
HRESULT StringCchCopyW(LPWSTR pszDest, size_t cchDest, LPCWSTR pszSrc);
HRESULT StringCchCatW(LPWSTR pszDest, size_t cchDest, LPCWSTR pszSrc);
HRESULT StringCchLengthW(LPCWSTR psz, size_t cchMax, size_t* pcchLength);

#ifdef __cplusplus
}
#endif

#define StringCchPrintf StringCchPrintfW
#define StringCchVPrintf StringCchVPrintfW
#define StringCchCopy StringCchCopyW
#define StringCchCat StringCchCatW
#define StringCchLength StringCchLengthW
