// Reading the Win32 records for the network probe: buffers to read them into, and
// their fields as JSON-friendly text.
#pragma once

#include <windows.h>

#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

namespace platform::device {

// A buffer of at least `size` bytes, aligned for any record.
std::vector<std::max_align_t> RecordBuffer(ULONG size);

// A char field up to its terminator, never past its width.
std::string FieldText(const char* field, std::size_t width);
template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
    return FieldText(field, N);
}

// A terminated wide text, up to `width` characters, as UTF-8.
std::string WideText(const WCHAR* text, std::size_t width);

// Bytes as "00-0a-95-9d-68-16".
std::string HardwareText(const BYTE* bytes, std::size_t length);

// Seconds since 1970 as "2026-12-05T08:30:00Z".
std::string UtcText(std::time_t seconds);

}  // namespace platform::device
