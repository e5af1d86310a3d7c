// wsprintfW and wvsprintfW: Windows' own small formatter. The output buffer has no
// stated size; Windows writes at most 1024 characters, the terminator included, and
// so do we.
#include <windows.h>

#include <algorithm>

#include "kernel/text/wide_formatter.h"

namespace {

constexpr std::size_t kMaxOutputWithTerminator = 1024;

}  // namespace

extern "C" int WINAPI wvsprintfW(LPWSTR lpOut, LPCWSTR lpFmt, va_list arglist) {
    if (lpOut == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (lpFmt == nullptr) {
        lpOut[0] = 0;
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    platform::kernel::WideFormatter formatter(platform::kernel::FormatDialect::WindowsSprintf,
                                              kMaxOutputWithTerminator - 1);
    const auto formatted = formatter.Format(lpFmt, arglist);
    std::copy(formatted.text.begin(), formatted.text.end(), lpOut);
    lpOut[formatted.text.size()] = 0;
    return static_cast<int>(formatted.text.size());
}

extern "C" int WINAPIV wsprintfW(LPWSTR lpOut, LPCWSTR lpFmt, ...) {
    va_list arguments;
    va_start(arguments, lpFmt);
    const int written = wvsprintfW(lpOut, lpFmt, arguments);
    va_end(arguments);
    return written;
}
