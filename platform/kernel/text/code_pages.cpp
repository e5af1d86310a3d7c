// MultiByteToWideChar and WideCharToMultiByte. Every code page we accept is UTF-8, so
// both follow Windows' rules for CP_UTF8: invalid input becomes U+FFFD unless the
// caller asked to refuse it, a zero-sized output asks for the size, and an output
// that is too small fails without writing anything.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "kernel/text/utf8.h"

namespace {

bool IsUtf8CodePage(UINT codePage) {
    return codePage == CP_ACP || codePage == CP_OEMCP || codePage == CP_UTF8;
}

int FailConversion(DWORD error) {
    SetLastError(error);
    return 0;
}

// The shared tail of both directions: the size query, the size check and the copy.
template <typename Char>
int Deliver(std::basic_string_view<Char> converted, Char* output, int outputCapacity) {
    if (converted.size() > static_cast<std::size_t>(INT32_MAX)) {
        return FailConversion(ERROR_INSUFFICIENT_BUFFER);
    }
    const int length = static_cast<int>(converted.size());
    if (outputCapacity == 0) {
        return length;
    }
    if (length > outputCapacity) {
        return FailConversion(ERROR_INSUFFICIENT_BUFFER);
    }
    std::copy(converted.begin(), converted.end(), output);
    return length;
}

}  // namespace

extern "C" int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr,
                                          int cbMultiByte, LPWSTR lpWideCharStr, int cchWideChar) {
    if (!IsUtf8CodePage(CodePage)) {
        return FailConversion(ERROR_INVALID_PARAMETER);
    }
    // Windows refuses MB_PRECOMPOSED for CP_UTF8 but takes it, as the default it is,
    // for the system code page.
    const DWORD allowedFlags =
        CodePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : MB_ERR_INVALID_CHARS | MB_PRECOMPOSED;
    if ((dwFlags & ~allowedFlags) != 0) {
        return FailConversion(ERROR_INVALID_FLAGS);
    }
    if (lpMultiByteStr == nullptr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (cchWideChar > 0 && lpWideCharStr == nullptr)) {
        return FailConversion(ERROR_INVALID_PARAMETER);
    }
    // A length of -1 converts through the terminator, which the result then counts.
    const std::size_t inputLength =
        cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<std::size_t>(cbMultiByte);
    const auto decoded = platform::kernel::DecodeUtf8({lpMultiByteStr, inputLength});
    if (decoded.invalidSequences > 0 && (dwFlags & MB_ERR_INVALID_CHARS) != 0) {
        return FailConversion(ERROR_NO_UNICODE_TRANSLATION);
    }
    return Deliver(std::u16string_view{decoded.text}, lpWideCharStr, cchWideChar);
}

extern "C" int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr,
                                          int cchWideChar, LPSTR lpMultiByteStr, int cbMultiByte,
                                          LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar) {
    if (!IsUtf8CodePage(CodePage)) {
        return FailConversion(ERROR_INVALID_PARAMETER);
    }
    if ((dwFlags & ~static_cast<DWORD>(WC_ERR_INVALID_CHARS)) != 0) {
        return FailConversion(ERROR_INVALID_FLAGS);
    }
    // UTF-8 can say every character, so a default character has no meaning and
    // Windows refuses one for CP_UTF8.
    if (lpDefaultChar != nullptr || lpUsedDefaultChar != nullptr) {
        return FailConversion(ERROR_INVALID_PARAMETER);
    }
    if (lpWideCharStr == nullptr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && lpMultiByteStr == nullptr)) {
        return FailConversion(ERROR_INVALID_PARAMETER);
    }
    const std::size_t inputLength = cchWideChar == -1
                                        ? std::u16string_view{lpWideCharStr}.size() + 1
                                        : static_cast<std::size_t>(cchWideChar);
    const auto encoded = platform::kernel::EncodeUtf8({lpWideCharStr, inputLength});
    if (encoded.invalidSequences > 0 && (dwFlags & WC_ERR_INVALID_CHARS) != 0) {
        return FailConversion(ERROR_NO_UNICODE_TRANSLATION);
    }
    return Deliver(std::string_view{encoded.text}, lpMultiByteStr, cbMultiByte);
}
