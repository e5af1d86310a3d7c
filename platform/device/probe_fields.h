// Reading the Win32 records for the network probe: buffers to read them into, and
// their fields as JSON-friendly text.
#pragma once

#include <windows.h>

#include <cstddef>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace platform::device {

// The program's way of reading a table: a size probe, then one read into a buffer of
// the size the probe reported. `query` is the IP Helper call, `overflowError` the code
// its probe answers with.
struct ProbedRead {
    std::vector<std::max_align_t> buffer;  // aligned for any record.
    DWORD error = NO_ERROR;                // of the probe or the read.

    template <typename Record>
    const Record* Records() const {
        return reinterpret_cast<const Record*>(buffer.data());
    }
};
ProbedRead ReadWithSizeProbe(const std::function<DWORD(void* buffer, PULONG size)>& query,
                             DWORD overflowError);

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
