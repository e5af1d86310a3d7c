// Small parsers shared by the readers of the host's text files: every one takes
// the whole field and refuses it when anything is left over or out of range.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "net/network_backend.h"

namespace platform::net::host {

// A dotted IPv4 address, in network byte order.
std::optional<Ipv4> ParseIpv4(std::string_view text);

std::optional<std::uint64_t> ParseUnsigned(std::string_view text, int base = 10);

// The text without blanks (spaces, tabs, carriage returns) at either end.
std::string_view Trimmed(std::string_view text);

// The line's words, split at blanks.
std::vector<std::string_view> Words(std::string_view line);

// Calls `onLine` for each line, without its line break.
template <typename OnLine>
void ForEachLine(std::string_view text, OnLine onLine) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        onLine(text.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
}

}  // namespace platform::net::host
