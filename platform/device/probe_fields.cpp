#include "device/probe_fields.h"

#include <algorithm>
#include <cstdio>

#include "kernel/text/utf8.h"

namespace platform::device {

ProbedRead ReadWithSizeProbe(const std::function<DWORD(void* buffer, PULONG size)>& query,
                             DWORD overflowError) {
    ProbedRead read;
    ULONG size = 0;
    read.error = query(nullptr, &size);
    if (read.error != overflowError) {
        return read;
    }
    read.buffer.resize(size / sizeof(std::max_align_t) + 1);
    read.error = query(read.buffer.data(), &size);
    return read;
}

std::string FieldText(const char* field, std::size_t width) {
    return std::string(field, std::find(field, field + width, '\0'));
}

std::string WideText(const WCHAR* text, std::size_t width) {
    return kernel::EncodeUtf8(std::u16string(text, std::find(text, text + width, u'\0'))).text;
}

std::string HardwareText(const BYTE* bytes, std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        char part[4] = {};
        std::snprintf(part, sizeof part, i == 0 ? "%02x" : "-%02x", bytes[i]);
        text += part;
    }
    return text;
}

std::string UtcText(std::time_t seconds) {
    std::tm parts{};
    char text[32] = {};
    if (gmtime_r(&seconds, &parts) == nullptr ||
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts) == 0) {
        return std::to_string(seconds);
    }
    return text;
}

}  // namespace platform::device
